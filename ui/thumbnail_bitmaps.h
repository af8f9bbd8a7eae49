#pragma once

#include "catalogue/qel_image.h"

#include <wx/bitmap.h>

#include <unordered_map>

// Thumbnails already turned into toolkit bitmaps, so that painting a row never converts
// pixels again. Keyed by the held pixels, which a record keeps until the list has been emptied;
// the owner clears the cache whenever it empties its list.
class ThumbnailBitmaps {
public:
    // The bitmap of `picture`'s pixels; call it under the lock that guards them.
    const wxBitmap& of(const QELImage& picture);
    void clear() { bitmaps_.clear(); }

private:
    std::unordered_map<const ImagePixels*, wxBitmap> bitmaps_;
};
