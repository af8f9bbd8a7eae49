#include "display/decode_jpeg_direct.h"
#include "display/make_thumbnail.h"
#include "display/pixels_mat.h"
#include "display/qel_image.h"
#include "platform/debug_output.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <sys/stat.h>

#include <chrono>
#include <exception>
#include <thread>
#include <utility>

namespace {

// A file still being written (a card being copied) can make the decoder throw; it is given
// some time. A file the decoder merely cannot read is not retried.
constexpr int kLoadAttempts = 20;
constexpr auto kRetryPause = std::chrono::milliseconds(50);

// Held pictures have 8-bit samples; a 16-bit or floating-point file keeps its look.
cv::Mat EightBit(const cv::Mat& decoded) {
    double scale = 1.0;
    switch (decoded.depth()) {
    case CV_8U:
        return decoded;
    case CV_16U:
        scale = 1.0 / 257;
        break;
    case CV_32F:
    case CV_64F:
        scale = 255.0;
        break;
    default:
        break;
    }
    cv::Mat converted;
    decoded.convertTo(converted, CV_8U, scale);
    return converted;
}

std::unique_ptr<ImagePixels> DecodeOnce(const std::string& path) {
    if (auto direct = DecodeJpegDirect(path)) {
        return direct;
    }
    const cv::Mat decoded = cv::imread(path, cv::IMREAD_ANYDEPTH | cv::IMREAD_ANYCOLOR);
    if (decoded.empty()) {
        return nullptr;
    }
    const cv::Mat samples = EightBit(decoded);
    return AreaResized(samples, PixelSize{samples.cols, samples.rows});
}

std::unique_ptr<ImagePixels> ReadWithRetries(const std::string& path) {
    for (int attempt = 0; attempt < kLoadAttempts; ++attempt) {
        DebugOutput("LoadImage  " + path);
        try {
            return DecodeOnce(path);
        } catch (const std::exception&) { // cv::Exception is one
            std::this_thread::sleep_for(kRetryPause);
        }
    }
    return nullptr;
}

} // namespace

bool QELImage::Load(const std::string& path) {
    Release();
    // Only regular files: opening a FIFO named like a photo would wait for a writer for ever.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    image = ReadWithRetries(path);
    topDown = 1;
    return image != nullptr;
}

bool QELImage::FitInto(const ImageBox& box) {
    if (!image) {
        return false;
    }
    const auto size = FittedSize(image->width, image->height, box);
    if (!size) {
        return false;
    }
    image = AreaResized(MatOf(std::as_const(*image)), *size);
    drawn.reset();
    return true;
}
