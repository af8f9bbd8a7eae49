#include "image/jpeg_frame.h"

#include <cstddef>
#include <cstdint>

// The headers alone read as the whole file's walk reads them, and the APP1 they name lies within
// the bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto frame = ReadJpegFrame({data, size});
    if (frame && (frame->width <= 0 || frame->height <= 0 || frame->orientation < 1 ||
                  frame->orientation > 8)) {
        __builtin_trap();
    }
    const auto headers = ReadJpegHeaders({data, size});
    if (frame.has_value() != headers.has_value() ||
        (headers && (headers->width != frame->width || headers->height != frame->height ||
                     headers->orientation != frame->orientation || headers->app1Offset > size ||
                     headers->app1Length > size - headers->app1Offset))) {
        __builtin_trap();
    }
    return 0;
}
