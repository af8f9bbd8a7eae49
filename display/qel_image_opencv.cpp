#include "catalogue/qel_image.h"
#include "display/decode_jpeg_direct.h"
#include "display/decoder_scale.h"
#include "display/make_thumbnail.h"
#include "display/pixels_mat.h"
#include "platform/debug_output.h"

#include <opencv2/core.hpp>

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

QELImage ReadWithRetries(const std::string& path, const ImageBox& shownIn, int oversample) {
    for (int attempt = 0; attempt < kLoadAttempts; ++attempt) {
        DebugOutput("LoadImage  " + path);
        try {
            return DecodeJpegDirect(path, shownIn, oversample);
        } catch (const std::exception&) { // cv::Exception is one
            std::this_thread::sleep_for(kRetryPause);
        }
    }
    return {};
}

} // namespace

bool QELImage::Load(const std::string& path, const ImageBox& shownIn, int oversample) {
    Release();
    // Only regular files: opening a FIFO named like a photo would wait for a writer for ever.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    QELImage decoded = ReadWithRetries(path, shownIn, oversample);
    image = std::move(decoded.image);
    scale = decoded.scale;
    photoSize = decoded.photoSize;
    topDown = 1;
    return image != nullptr;
}

bool QELImage::FitInto(const ImageBox& box) {
    return FitFrom(*this, box);
}

bool QELImage::FitFrom(const QELImage& source, const ImageBox& box) {
    if (!source.image) {
        return false;
    }
    const ImagePixels& pixels = *source.image;
    const bool reduced = source.scale > 1;
    const PixelSize whole = reduced ? source.photoSize : PixelSize{pixels.width, pixels.height};
    const auto size = FittedSize(whole.width, whole.height, box);
    if (!size) {
        return false;
    }
    auto fitted = reduced ? FitReduced(MatOf(pixels), whole, source.scale, *size)
                          : AreaResized(MatOf(pixels), *size);
    if (!fitted) {
        return false;
    }
    topDown = source.topDown;
    image = std::move(fitted);
    scale = 1;
    photoSize = {};
    drawn.reset();
    return true;
}
