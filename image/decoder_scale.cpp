#include "image/decoder_scale.h"

#include "image/make_thumbnail.h"
#include "image/pixels_mat.h"

#include <opencv2/imgproc.hpp>

#include <cstdint>

int ChooseDecoderScale(PixelSize photo, const ImageBox& box, int oversample) {
    const auto fitted = FittedSize(photo.width, photo.height, box);
    if (!fitted) {
        return 1;
    }
    for (const std::int64_t scale : {8, 4, 2}) {
        if (photo.width >= scale * oversample * fitted->width &&
            photo.height >= scale * oversample * fitted->height) {
            return static_cast<int>(scale);
        }
    }
    return 1;
}

// The reduced picture's last column and row are partly padding: it covers width / scale
// columns, not all of its own. Resampling at the whole photo's ratio, not at the reduced
// picture's, makes every fitted pixel average the same part of the photo as from a full decode;
// the extra fraction falls outside.
std::unique_ptr<ImagePixels> FitReduced(const cv::Mat& reduced, PixelSize photo, int scale,
                                        PixelSize fitted) {
    const double ratioX = double(fitted.width) * scale / photo.width;
    const double ratioY = double(fitted.height) * scale / photo.height;
    cv::Mat resampled;
    cv::resize(reduced, resampled, cv::Size(), ratioX, ratioY, cv::INTER_AREA);
    if (resampled.cols < fitted.width || resampled.rows < fitted.height) {
        return nullptr;
    }
    return AreaResized(resampled(cv::Rect(0, 0, fitted.width, fitted.height)), fitted);
}
