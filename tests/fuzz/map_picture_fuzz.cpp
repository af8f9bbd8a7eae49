#include "map/map_picture.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QELImage picture;
    const bool decoded =
        DecodeMapPicture(std::string(reinterpret_cast<const char*>(data), size), picture);
    if (decoded != (picture.image != nullptr)) {
        __builtin_trap();
    }
    if (decoded) {
        const ImagePixels& pixels = *picture.image;
        const bool bounded = pixels.width > 0 && pixels.width <= kMaxMapPictureSide &&
                             pixels.height > 0 && pixels.height <= kMaxMapPictureSide;
        if (!bounded || pixels.bytes.size() < pixels.stride * pixels.height) {
            __builtin_trap();
        }
    }
    return 0;
}
