#include "image/pixels_mat.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

std::unique_ptr<ImagePixels> NewPixels(PixelSize size, int channels) {
    auto pixels = std::make_unique<ImagePixels>();
    pixels->width = size.width;
    pixels->height = size.height;
    pixels->depth = 8;
    pixels->channels = channels;
    pixels->stride =
        (static_cast<std::size_t>(size.width) * static_cast<std::size_t>(channels) + 3) / 4 * 4;
    pixels->bytes.resize(pixels->stride * static_cast<std::size_t>(size.height));
    return pixels;
}

cv::Mat MatOf(ImagePixels& pixels) {
    return cv::Mat(pixels.height, pixels.width, CV_MAKETYPE(CV_8U, pixels.channels),
                   pixels.bytes.data(), pixels.stride);
}

cv::Mat MatOf(const ImagePixels& pixels) {
    return MatOf(const_cast<ImagePixels&>(pixels));
}

std::unique_ptr<ImagePixels> AreaResized(const cv::Mat& source, PixelSize size) {
    auto pixels = NewPixels(size, source.channels());
    // An 8-bit source of the same channels matches `target`, so the resize writes into our rows.
    cv::Mat target = MatOf(*pixels);
    cv::resize(source, target, target.size(), 0, 0, cv::INTER_AREA);
    return pixels;
}
