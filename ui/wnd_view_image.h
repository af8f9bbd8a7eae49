#pragma once

#include "catalogue/qel_image.h"

#include <wx/frame.h>

#include <string>

// The image view: the selected photo fitted into the window, at its top-left corner, on white;
// it opens 640 x 480 inside.
// The photo is decoded as large as the screen can show it (at the decoder's 1/2, 1/4 or 1/8 when
// that is enough) and kept, so a resize rescales from it without decoding the file again.
// Closing only hides the window.
class CWndViewImage : public wxFrame {
public:
    explicit CWndViewImage(wxWindow* owner);

    // Shows the photo of `path`, or white when it cannot be decoded (a folder, a vanished
    // file); returns whether a photo is shown.
    int ShowImageFile(const std::string& path);

    int hasImage() const { return hasImage_; }
    const QELImage& fullImage() const { return fullImage_; }
    const QELImage& fittedImage() const { return fittedImage_; }

private:
    void fitToClient();
    void onPaint(wxPaintEvent& event);
    void onSize(wxSizeEvent& event);

    int hasImage_ = 0;
    QELImage fullImage_;
    QELImage fittedImage_;
};
