#include "display/qel_image.h"

void QELImage::Release() {
    image.reset();
    drawn.reset();
}

void QELImage::CloneFrom(const QELImage& other) {
    topDown = other.topDown;
    image = other.image ? std::make_unique<ImagePixels>(*other.image) : nullptr;
    drawn.reset();
}
