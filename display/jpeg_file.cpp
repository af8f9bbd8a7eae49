#include "display/jpeg_file.h"

#include "platform/file_contents.h"

#include <sys/stat.h>

namespace {
// Beyond this a file goes the full way rather than being read whole into memory.
constexpr off_t kMaxReadWholeBytes = off_t{256} << 20;
} // namespace

std::optional<std::string> ReadJpegBytes(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || info.st_size > kMaxReadWholeBytes) {
        return std::nullopt;
    }
    return ReadWholeFile(path);
}

std::span<const std::uint8_t> AsBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool WholeEightBitJpeg(const JpegFrame& frame) {
    const bool process = frame.sofMarker >= 0xC0 && frame.sofMarker <= 0xC2;
    const bool samples = frame.precision == 8 && (frame.components == 1 || frame.components == 3);
    return process && samples && frame.endsWithEoi;
}

PixelSize UprightSize(const JpegFrame& frame) {
    const bool quarterTurn = frame.orientation >= 5;
    return quarterTurn ? PixelSize{frame.height, frame.width}
                       : PixelSize{frame.width, frame.height};
}
