#include "display/decode_jpeg_direct.h"

#include "display/jpeg_file.h"
#include "display/pixels_mat.h"

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include <climits>
#include <cstdint>
#include <utility>

namespace {

constexpr int kNoFlip = 2;
// The decoder's own bounds (CV_IO_MAX_IMAGE_PIXELS and _WIDTH, _HEIGHT): beyond them it refuses
// the file, so no block is set aside for it.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 30;
constexpr int kMaxSide = 1 << 20;

bool WithinDecoderBounds(const JpegFrame& frame) {
    return frame.width <= kMaxSide && frame.height <= kMaxSide &&
           std::int64_t{frame.width} * frame.height <= kMaxPixels;
}

// The flip that follows the quarter turn (orientations 5 to 8) or stands alone (2 to 4), in
// cv::flip's codes: 1 about the vertical axis, 0 about the horizontal one, -1 both.
int FlipCode(int orientation) {
    switch (orientation) {
    case 2:
    case 6:
        return 1;
    case 3:
    case 7:
        return -1;
    case 4:
    case 8:
        return 0;
    default:
        return kNoFlip;
    }
}

// The decoder's EXIF turn, done on our pixels; null if OpenCV would not write into them.
std::unique_ptr<ImagePixels> Upright(std::unique_ptr<ImagePixels> stored, int orientation) {
    if (orientation >= 5) {
        auto turned = NewPixels(PixelSize{stored->height, stored->width}, stored->channels);
        cv::Mat target = MatOf(*turned);
        cv::transpose(MatOf(*stored), target);
        if (target.data != turned->bytes.data()) {
            return nullptr;
        }
        stored = std::move(turned);
    }
    const int flip = FlipCode(orientation);
    if (flip != kNoFlip) {
        cv::Mat view = MatOf(*stored);
        cv::flip(view, view, flip);
        if (view.data != stored->bytes.data()) {
            return nullptr;
        }
    }
    return stored;
}

} // namespace

std::unique_ptr<ImagePixels> DecodeJpegDirect(const std::string& path) {
    const auto file = ReadJpegBytes(path);
    if (!file || file->size() > INT_MAX) {
        return nullptr;
    }
    const auto frame = ReadJpegFrame(AsBytes(*file));
    if (!frame || !WholeEightBitJpeg(*frame) || !WithinDecoderBounds(*frame)) {
        return nullptr;
    }
    auto stored = NewPixels(PixelSize{frame->width, frame->height}, frame->components);
    cv::Mat target = MatOf(*stored);
    // Only read from: cv::Mat has no constructor for const bytes.
    const cv::Mat encoded(1, static_cast<int>(file->size()), CV_8U,
                          const_cast<char*>(file->data()));
    cv::imdecode(encoded, cv::IMREAD_ANYDEPTH | cv::IMREAD_ANYCOLOR | cv::IMREAD_IGNORE_ORIENTATION,
                 &target);
    // A picture of another size or kind went into a block of the decoder's own.
    if (target.data != stored->bytes.data() || target.cols != frame->width ||
        target.rows != frame->height) {
        return nullptr;
    }
    return Upright(std::move(stored), frame->orientation);
}
