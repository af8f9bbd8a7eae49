#include "image/make_thumbnail.h"
#include "image/qel_image_load.h"

#include "image/camera_preview.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

namespace {

// The decoder's reduced pixels are means of whole 8x8 blocks, not of the thumbnail pixels' own
// areas; with at least this many reduced pixels per thumbnail pixel each way the area resize
// averages the difference away. Against full decodes of the real camera files the mean
// difference stays under half a level; with 4 the smaller files reach over one, with 2 three.
constexpr int kOversample = 6;

} // namespace

// Never leaves a full-size picture behind, not even when the fit fails.
QELImage DecodedThumbnail(const std::string& path, const ImageBox& box) {
    QELImage picture;
    if (!Load(picture, path, box, kOversample) || !FitInto(picture, box)) {
        picture.Release();
    }
    return picture;
}

std::optional<PixelSize> FittedSize(int width, int height, const ImageBox& box) {
    const std::int64_t boxWidth = std::int64_t{box.right} - box.left;
    const std::int64_t boxHeight = std::int64_t{box.bottom} - box.top;
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) {
        return std::nullopt;
    }
    // Through float, as the Windows program compares them: that decides which side a near tie
    // fills.
    const double pictureRatio = double(float(width)) / double(float(height));
    const double boxRatio = double(float(boxWidth)) / double(float(boxHeight));
    std::int64_t fitWidth = boxWidth;
    std::int64_t fitHeight = boxHeight;
    if (pictureRatio > boxRatio) {
        fitHeight = boxWidth * height / width;
    } else {
        fitWidth = boxHeight * width / height;
    }
    if (fitWidth > INT_MAX || fitHeight > INT_MAX) {
        return std::nullopt;
    }
    return PixelSize{static_cast<int>(std::max<std::int64_t>(fitWidth, 1)),
                     static_cast<int>(std::max<std::int64_t>(fitHeight, 1))};
}

int MakeThumbnail(QELFileInfo* record, const ImageBox& box) {
    if (record == nullptr || record->isFolder == 1 || record->path.empty()) {
        return 0;
    }
    // Decoded before the lock is taken: the list draws under the same lock on the UI thread,
    // which must not wait for a decode.
    QELImage picture = PreviewThumbnail(record->path, box);
    if (!picture.image) {
        picture = DecodedThumbnail(record->path, box);
    }
    std::unique_lock<std::mutex> lock;
    if (record->mutex != nullptr) {
        lock = std::unique_lock<std::mutex>(*record->mutex);
    }
    record->thumbnail = std::move(picture);
    if (!record->thumbnail.image) {
        return 0;
    }
    record->thumbReady = 1;
    return 1;
}
