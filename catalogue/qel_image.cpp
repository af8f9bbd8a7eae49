#include "catalogue/qel_image.h"

void QELImage::Release() {
    image.reset();
    scale = 1;
    photoSize = {};
    drawn.reset();
}
