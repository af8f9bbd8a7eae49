#include "image/qel_image_load.h"

#include "image/decode_jpeg_direct.h"
#include "image/decoder_scale.h"
#include "image/make_thumbnail.h"
#include "image/pixels_mat.h"
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

bool Load(QELImage& picture, const std::string& path, const ImageBox& shownIn, int oversample) {
    picture.Release();
    // Only regular files: opening a FIFO named like a photo would wait for a writer for ever.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    QELImage decoded = ReadWithRetries(path, shownIn, oversample);
    picture.image = std::move(decoded.image);
    picture.scale = decoded.scale;
    picture.photoSize = decoded.photoSize;
    picture.topDown = 1;
    return picture.image != nullptr;
}

bool FitInto(QELImage& picture, const ImageBox& box) {
    return FitFrom(picture, picture, box);
}

bool FitFrom(QELImage& picture, const QELImage& source, const ImageBox& box) {
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
    picture.topDown = source.topDown;
    picture.image = std::move(fitted);
    picture.scale = 1;
    picture.photoSize = {};
    picture.drawn.reset();
    return true;
}
