#include "display/jpeg_frame.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto frame = ReadJpegFrame({data, size});
    if (frame && (frame->width <= 0 || frame->height <= 0 || frame->orientation < 1 ||
                  frame->orientation > 8)) {
        __builtin_trap();
    }
    return 0;
}
