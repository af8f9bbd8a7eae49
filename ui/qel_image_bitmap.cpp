#include "ui/qel_image_bitmap.h"

#include <wx/dc.h>
#include <wx/image.h>

namespace {

bool Usable(const ImagePixels& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.depth != 8) {
        return false;
    }
    if (pixels.channels != 1 && pixels.channels != 3) {
        return false;
    }
    const auto rowBytes = static_cast<std::size_t>(pixels.width) * pixels.channels;
    return pixels.stride >= rowBytes &&
           pixels.bytes.size() / pixels.stride >= static_cast<std::size_t>(pixels.height);
}

} // namespace

wxBitmap BitmapOf(const QELImage& picture) {
    if (!picture.image || !Usable(*picture.image)) {
        return {};
    }
    const ImagePixels& pixels = *picture.image;
    wxImage image(pixels.width, pixels.height, false);
    unsigned char* out = image.GetData();
    for (int y = 0; y < pixels.height; ++y) {
        // Rows stored bottom first are turned over here, once.
        const int sourceRow = picture.topDown != 0 ? y : pixels.height - 1 - y;
        const std::uint8_t* in = pixels.bytes.data() + sourceRow * pixels.stride;
        for (int x = 0; x < pixels.width; ++x) {
            if (pixels.channels == 3) {
                *out++ = in[2];
                *out++ = in[1];
                *out++ = in[0];
                in += 3;
            } else {
                *out++ = *in;
                *out++ = *in;
                *out++ = *in;
                ++in;
            }
        }
    }
    return wxBitmap(image);
}

// Kept with the pixels it was made from: a picture replaced behind Release() is never drawn
// from a stale bitmap.
struct QELImageBitmap {
    const ImagePixels* pixels = nullptr;
    wxBitmap bitmap;
};

void Draw(const QELImage& picture, wxDC& dc, int x, int y) {
    if (!picture.image) {
        return;
    }
    auto& drawn = picture.drawn;
    if (!drawn || drawn->pixels != picture.image.get()) {
        drawn = std::make_shared<QELImageBitmap>(
            QELImageBitmap{picture.image.get(), BitmapOf(picture)});
    }
    if (drawn->bitmap.IsOk()) {
        dc.DrawBitmap(drawn->bitmap, x, y);
    }
}
