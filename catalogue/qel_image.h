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

// The pixels as the window toolkit draws them, kept by ui/ beside the picture they were made from.
struct QELImageBitmap;

// A decoded picture, held by value in records and views. Only what holding needs is here: the
// image library loads and fits one (image/qel_image_load.h), the desktop program draws it
// (ui/qel_image_bitmap.h).
struct QELImage {
    int topDown = 0;
    std::unique_ptr<ImagePixels> image;
    // What Load decoded: a photo of `photoSize` (upright), held at 1/scale each way (rounded up)
    // where the decoder delivered it reduced. Fits work from the whole photo's size, so they give
    // what fitting a full decode would; a fitted picture has scale 1 and no photo size.
    int scale = 1;
    PixelSize photoSize;
    // The pixels in the toolkit's own order, made by the first Draw() after they changed.
    mutable std::shared_ptr<QELImageBitmap> drawn;

    QELImage() = default;
    QELImage(const QELImage&) = delete;
    QELImage& operator=(const QELImage&) = delete;
    QELImage(QELImage&&) = default;
    QELImage& operator=(QELImage&&) = default;

    void Release();
};
