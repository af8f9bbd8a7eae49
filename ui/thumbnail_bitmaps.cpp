#include "ui/thumbnail_bitmaps.h"

#include "ui/qel_image_bitmap.h"

namespace {
// About the rows of a few screens; a long list scrolled end to end starts over now and then.
constexpr std::size_t kMostBitmaps = 2048;
} // namespace

const wxBitmap& ThumbnailBitmaps::of(const QELImage& picture) {
    const ImagePixels* key = picture.image.get();
    auto found = bitmaps_.find(key);
    if (found != bitmaps_.end()) {
        return found->second;
    }
    if (bitmaps_.size() >= kMostBitmaps) {
        bitmaps_.clear();
    }
    return bitmaps_.emplace(key, BitmapOf(picture)).first->second;
}
