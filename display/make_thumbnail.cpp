#include "display/make_thumbnail.h"

#include "display/jpeg_file.h"
#include "display/pixels_mat.h"
#include "platform/debug_output.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <span>
#include <string>

namespace {

// The decoder's reduced pixels are means of whole 8x8 blocks, not of the thumbnail pixels' own
// areas; with at least this many reduced pixels per thumbnail pixel each way the area resize
// averages the difference away. Against full decodes of the real camera files the mean
// difference stays under half a level; with 4 the smaller files reach over one, with 2 three.
constexpr std::int64_t kOversample = 6;

int CeilDiv(int value, int divisor) {
    return (value + divisor - 1) / divisor;
}

// The largest decoder scale that keeps kOversample reduced pixels per thumbnail pixel; 1 for
// none.
int ChooseScale(PixelSize upright, PixelSize fitted) {
    for (const int scale : {8, 4, 2}) {
        if (upright.width >= kOversample * scale * fitted.width &&
            upright.height >= kOversample * scale * fitted.height) {
            return scale;
        }
    }
    return 1;
}

int ReducedFlag(int scale, bool grey) {
    switch (scale) {
    case 2:
        return grey ? cv::IMREAD_REDUCED_GRAYSCALE_2 : cv::IMREAD_REDUCED_COLOR_2;
    case 4:
        return grey ? cv::IMREAD_REDUCED_GRAYSCALE_4 : cv::IMREAD_REDUCED_COLOR_4;
    default:
        return grey ? cv::IMREAD_REDUCED_GRAYSCALE_8 : cv::IMREAD_REDUCED_COLOR_8;
    }
}

// The picture decoded at 1/scale, or empty when the decoder did anything but what the header
// promised (so the caller takes the full way).
cv::Mat DecodeReduced(std::span<const std::uint8_t> bytes, const JpegFrame& frame, int scale) {
    const bool grey = frame.components == 1;
    const PixelSize upright = UprightSize(frame);
    cv::Mat reduced;
    try {
        // Only read from: cv::Mat has no constructor for const bytes.
        const cv::Mat encoded(1, static_cast<int>(bytes.size()), CV_8U,
                              const_cast<std::uint8_t*>(bytes.data()));
        reduced = cv::imdecode(encoded, ReducedFlag(scale, grey));
    } catch (const std::exception&) {
        return {};
    }
    const bool asPromised = reduced.cols == CeilDiv(upright.width, scale) &&
                            reduced.rows == CeilDiv(upright.height, scale) &&
                            reduced.type() == (grey ? CV_8UC1 : CV_8UC3);
    return asPromised ? reduced : cv::Mat();
}

// The reduced picture's last column and row are partly padding: it covers width / scale
// columns, not all of its own. Resampling at the full picture's ratio, not at the reduced
// picture's, makes every thumbnail pixel average the same part of the photo as from a full
// decode; the extra fraction falls outside.
std::unique_ptr<ImagePixels> ResampleReduced(const cv::Mat& reduced, PixelSize upright, int scale,
                                             PixelSize fitted) {
    const double ratioX = double(fitted.width) * scale / upright.width;
    const double ratioY = double(fitted.height) * scale / upright.height;
    cv::Mat resampled;
    cv::resize(reduced, resampled, cv::Size(), ratioX, ratioY, cv::INTER_AREA);
    if (resampled.cols < fitted.width || resampled.rows < fitted.height) {
        return nullptr;
    }
    return AreaResized(resampled(cv::Rect(0, 0, fitted.width, fitted.height)), fitted);
}

// The thumbnail by way of the decoder's own scaling, sized exactly as from a full decode; null
// whenever that way is not sure to give the full way's picture.
std::unique_ptr<ImagePixels> ReducedThumbnail(const std::string& path, const ImageBox& box) {
    DebugOutput("LoadImage  " + path);
    const auto file = ReadJpegBytes(path);
    const auto bytes = file ? AsBytes(*file) : std::span<const std::uint8_t>();
    const auto frame = file ? ReadJpegFrame(bytes) : std::nullopt;
    if (!frame || !WholeEightBitJpeg(*frame)) {
        return nullptr;
    }
    const PixelSize upright = UprightSize(*frame);
    const auto fitted = FittedSize(upright.width, upright.height, box);
    const int scale = fitted ? ChooseScale(upright, *fitted) : 1;
    if (scale == 1) {
        return nullptr;
    }
    const cv::Mat reduced = DecodeReduced(bytes, *frame, scale);
    return reduced.empty() ? nullptr : ResampleReduced(reduced, upright, scale, *fitted);
}

// Never leaves a full-size picture behind, not even when the fit fails.
QELImage FittedPicture(const std::string& path, const ImageBox& box) {
    QELImage picture;
    picture.image = ReducedThumbnail(path, box);
    if (picture.image) {
        picture.topDown = 1;
        return picture;
    }
    if (!picture.Load(path) || !picture.FitInto(box)) {
        picture.Release();
    }
    return picture;
}

} // namespace

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
    QELImage picture = FittedPicture(record->path, box);
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
