#include "ui/wnd_lb_qel_file.h"

#include "ui/qel_row_layout.h"
#include "ui/ui_fonts.h"
#include "ui/ui_scale.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/thread.h>

#include <algorithm>

std::mutex CWndLbQELFile::addLock;

namespace {
constexpr int kTitleFontHeight = 16;
// The date and place lines: their Japanese as tall as the smallest text's line.
constexpr int kSmallFontHeight = 13;
// How often a growing list shows its new rows: a few times a frame would be lost work.
constexpr auto kCountInterval = std::chrono::milliseconds(20);

// The height of `font`'s line as drawn, Japanese included (a fallback face may draw it taller).
int LineHeight(const wxFont& font) {
    wxBitmap canvas(1, 1);
    wxMemoryDC dc(canvas);
    dc.SetFont(font);
    return std::max(dc.GetCharHeight(), dc.GetTextExtent(wxString::FromUTF8("撮影日時")).y);
}

} // namespace

CWndLbQELFile::CWndLbQELFile(wxWindow* parent, wxWindowID id, const wxPoint& position,
                             const wxSize& size)
    : wxVListBox(parent, id, position, size, wxBORDER_SIMPLE | wxWANTS_CHARS),
      titleFont_(DisplayFont(kTitleFontHeight, true)), smallFont_(DisplayFont(kSmallFontHeight)),
      rowHeight_(RowHeightFor(LineHeight(titleFont_), LineHeight(smallFont_), UiScale(this))) {
    SetBackgroundColour(*wxWHITE);
    Bind(wxEVT_LEFT_DOWN, &CWndLbQELFile::onLeftDown, this);
    Bind(wxEVT_MOTION, &CWndLbQELFile::onMotion, this);
    countTimer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { showRowCount(); });
}

void CWndLbQELFile::setClickMessage(MessageTarget* window, unsigned message) {
    clickWindow_ = window;
    clickMessage_ = message;
}

QELFileInfo* CWndLbQELFile::selectedRecord() const {
    const int selection = GetSelection();
    return selection == wxNOT_FOUND ? nullptr : RowRecord(static_cast<std::size_t>(selection));
}

void CWndLbQELFile::AddRow(QELFileInfo* record) {
    {
        std::lock_guard guard(addLock);
        rows_.push_back(record);
    }
    runOnUiThread(countPending_, &CWndLbQELFile::showRowCount);
}

std::size_t CWndLbQELFile::RowCount() const {
    std::lock_guard guard(addLock);
    return rows_.size();
}

QELFileInfo* CWndLbQELFile::RowRecord(std::size_t index) const {
    std::lock_guard guard(addLock);
    return index < rows_.size() ? rows_[index] : nullptr;
}

void CWndLbQELFile::Invalidate() {
    if (wxThread::IsMain()) {
        Refresh(false);
    } else {
        runOnUiThread(repaintPending_, &CWndLbQELFile::repaint);
    }
}

void CWndLbQELFile::RemoveAllRows() {
    {
        std::lock_guard guard(addLock);
        rows_.clear();
    }
    SetItemCount(0);
    thumbnails_.clear();
    Refresh(false);
}

void CWndLbQELFile::runOnUiThread(std::atomic<bool>& pending, void (CWndLbQELFile::*step)()) {
    if (!pending.exchange(true)) {
        // Safe from any thread; a call still queued when the list goes is dropped with it, and
        // the workers are joined before that.
        CallAfter([this, step] { (this->*step)(); });
    }
}

void CWndLbQELFile::showRowCount() {
    const auto now = std::chrono::steady_clock::now();
    if (now - countShown_ < kCountInterval) {
        // Rows appended meanwhile need not ask again: the timer shows them.
        if (!countTimer_.IsRunning()) {
            const auto wait =
                std::chrono::ceil<std::chrono::milliseconds>(kCountInterval - (now - countShown_));
            countTimer_.StartOnce(static_cast<int>(wait.count()));
        }
        return;
    }
    countShown_ = now;
    countPending_ = false;
    const std::size_t count = RowCount();
    if (count != GetItemCount()) {
        // A new count alone repaints nothing: rows appended after the last repaint (STEP4 adds
        // them all at once) would stay undrawn.
        SetItemCount(count);
        Refresh(false);
    }
}

void CWndLbQELFile::repaint() {
    repaintPending_ = false;
    Refresh(false);
}

wxCoord CWndLbQELFile::OnMeasureItem(size_t) const {
    return rowHeight_;
}

void CWndLbQELFile::OnDrawBackground(wxDC&, const wxRect&, size_t) const {}

void CWndLbQELFile::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const {
    const QELFileInfo* record = RowRecord(n);
    if (record == nullptr || rect.width <= 0 || rect.height <= 0) {
        return;
    }
    if (!rowBuffer_.IsOk() || rowBuffer_.GetWidth() != rect.width ||
        rowBuffer_.GetHeight() != rect.height) {
        rowBuffer_ = wxBitmap(rect.width, rect.height, 24);
    }
    wxMemoryDC composed(rowBuffer_);
    PaintRow(composed, *record, rect.GetSize(), IsSelected(n), paintTools());
    dc.Blit(rect.GetTopLeft(), rect.GetSize(), &composed, wxPoint(0, 0));
}

void CWndLbQELFile::onLeftDown(wxMouseEvent& event) {
    // The list moves its selection to the row under the pointer first.
    wxVListBox::OnLeftDown(event);
    const QELFileInfo* record = selectedRecord();
    if (record == nullptr || record->isFolder != 0 || clickMessage_ == 0 ||
        clickWindow_ == nullptr) {
        return;
    }
    if (HitsThumbnail(*record, event.GetX())) {
        clickWindow_->post({clickMessage_, 0, 0, nullptr});
    }
}

RowPaintTools CWndLbQELFile::paintTools() const {
    return {titleFont_, smallFont_, icons_, thumbnails_};
}

void CWndLbQELFile::onMotion(wxMouseEvent& event) {
    event.Skip();
    const int row = VirtualHitTest(event.GetY());
    const QELFileInfo* record = row == wxNOT_FOUND ? nullptr : RowRecord(static_cast<size_t>(row));
    wxString tip;
    if (record != nullptr) {
        wxClientDC dc(this);
        tip = RowToolTip(dc, *record, wxSize(GetClientSize().x, rowHeight_), paintTools());
    }
    if (tip != toolTip_) {
        toolTip_ = tip;
        if (tip.empty()) {
            UnsetToolTip();
        } else {
            SetToolTip(tip);
        }
    }
}
