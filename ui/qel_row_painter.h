#pragma once

#include "catalogue/qel_file_info.h"
#include "ui/row_icons.h"
#include "ui/thumbnail_bitmaps.h"

#include <wx/dc.h>
#include <wx/font.h>

// What a list paints its rows with.
struct RowPaintTools {
    const wxFont& titleFont;
    const wxFont& smallFont;
    const RowIcons& icons;
    ThumbnailBitmaps& thumbnails;
};

// Paints one row of `size` at (0, 0) of `dc` (the list's off-screen bitmap): background of the
// record's kind, icon or thumbnail, title, for analysed photos the date and place lines, the
// separator and, when selected, the 2-pixel black frame. A text wider than its room ends in "…".
void PaintRow(wxDC& dc, const QELFileInfo& record, const wxSize& size, bool selected,
              const RowPaintTools& tools);

// The row's texts whole, one a line, when PaintRow would cut any of them short in a row of
// `size`; empty when all of them fit. `dc` measures.
wxString RowToolTip(wxDC& dc, const QELFileInfo& record, const wxSize& size,
                    const RowPaintTools& tools);
