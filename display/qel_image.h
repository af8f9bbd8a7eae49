#pragma once

#include "platform/pixel_memory.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A box in pixels; width = right - left, height = bottom - top.
struct ImageBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

// Decoded pixels in the decoder's own layout: 8-bit samples, blue-green-red for colour,
// rows of `stride` bytes. Kept free of any decoder type so that records can hold a
// thumbnail without the catalogue depending on the image library.
struct ImagePixels {
    int width = 0;
    int height = 0;
    int depth = 8;    // bits per channel
    int channels = 0; // 3 for colour, 1 for grey
    std::size_t stride = 0;
    PixelBytes bytes;
};

class wxDC;
struct QELImageBitmap;

// A decoded picture. Release() lives in the core library; Load() and FitInto() are
// defined in the image library (OpenCV), which only the desktop program and the
// benchmarks link; Draw() in the desktop library.
struct QELImage {
    int topDown = 0;
    std::unique_ptr<ImagePixels> image;
    // The pixels in the toolkit's own order, made by the first Draw() after they changed.
    mutable std::shared_ptr<QELImageBitmap> drawn;

    QELImage() = default;
    QELImage(const QELImage&) = delete;
    QELImage& operator=(const QELImage&) = delete;
    QELImage(QELImage&&) = default;
    QELImage& operator=(QELImage&&) = default;

    void Release();
    bool Load(const std::string& path);
    bool FitInto(const ImageBox& box);
    // A deep copy of the held picture and its row order (cvClone).
    void CloneFrom(const QELImage& other);
    // The whole picture with its top-left corner at (x, y); nothing when none is held.
    void Draw(wxDC& dc, int x, int y) const;
};
