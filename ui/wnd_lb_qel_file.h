#pragma once

#include "catalogue/list_view.h"
#include "platform/message_target.h"
#include "ui/qel_row_painter.h"
#include "ui/row_icons.h"
#include "ui/thumbnail_bitmaps.h"

#include <wx/timer.h>
#include <wx/vlbox.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <vector>

// An owner-drawn list of catalogue records: rows of at least 36 pixels (as tall as their fonts
// need) composed off-screen, one record a
// row, in the order they were added. The rows live in a store of their own; the window only
// shows how many there are. The search worker appends to the store under `addLock` and the
// UI thread catches the window's row count up at most every 20 ms, so appending costs no
// cross-thread round trip and a fast walk no repaint per row. A row whose texts are cut short
// shows them whole in a tooltip.
class CWndLbQELFile : public wxVListBox, public ListView {
public:
    CWndLbQELFile(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size);

    // What a click on a row's thumbnail posts, and to whom; nothing is posted while `message`
    // is 0.
    void setClickMessage(MessageTarget* window, unsigned message);
    // The record of the selected row, nullptr when none is selected.
    QELFileInfo* selectedRecord() const;

    // Any thread.
    void AddRow(QELFileInfo* record) override;
    std::size_t RowCount() const override;
    QELFileInfo* RowRecord(std::size_t index) const override;
    void Invalidate() override;
    // UI thread only: the catalogue frees the records right after, with nothing drawn between.
    void RemoveAllRows() override;

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;
    // The row paints its own background and selection frame.
    void OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const override;

private:
    void onLeftDown(wxMouseEvent& event);
    void onMotion(wxMouseEvent& event);
    RowPaintTools paintTools() const;
    void showRowCount();
    void repaint();
    // Runs `step` on the UI thread once, however often it is asked for until the step clears
    // `pending`.
    void runOnUiThread(std::atomic<bool>& pending, void (CWndLbQELFile::*step)());

    // One lock for every list of the process.
    static std::mutex addLock;
    std::vector<QELFileInfo*> rows_;
    std::atomic<bool> countPending_{false};
    std::atomic<bool> repaintPending_{false};
    std::chrono::steady_clock::time_point countShown_;
    wxTimer countTimer_;
    wxFont titleFont_;
    wxFont smallFont_;
    int rowHeight_;
    RowIcons icons_;
    mutable ThumbnailBitmaps thumbnails_;
    mutable wxBitmap rowBuffer_;
    MessageTarget* clickWindow_ = nullptr;
    unsigned clickMessage_ = 0;
    wxString toolTip_;
};
