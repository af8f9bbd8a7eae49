#include "image/camera_preview.h"

#include "exif/camera_written.h"
#include "exif/exif_preview.h"
#include "exif/jpeg_segments.h"
#include "image/decode_jpeg_direct.h"
#include "image/jpeg_file.h"
#include "image/jpeg_frame.h"
#include "image/make_thumbnail.h"
#include "image/pixels_mat.h"
#include "platform/descriptor.h"
#include "platform/open_for_reading.h"

#include <opencv2/core.hpp>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <vector>

namespace {

// A camera's Exif segment holds at most 64 KiB; what else stands before the scan (tables, an
// ICC profile, the MPF index) is small. A file whose scan starts later is read no further.
constexpr std::size_t kFirstHeadRead = 64 * 1024;
constexpr std::size_t kMaxHeadRead = 512 * 1024;
// A camera's preview is a properly scaled picture; twice the fitted size each way leaves the
// area resize enough to average.
constexpr int kLeastPreviewOversample = 2;

// The file's bytes up to its first scan header, with what they say.
struct Head {
    std::vector<std::uint8_t> bytes;
    JpegFrame frame;
    std::int64_t modified = 0;
};

std::optional<Head> ReadHead(const std::string& path) {
    const Descriptor fd(OpenForReading(path));
    struct stat info {};
    if (fd.get() < 0 || fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 4) {
        return std::nullopt;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    std::uint8_t tail[2] = {};
    if (!ReadFullyAt(fd.get(), size - 2, tail, 2) || tail[0] != kJpegMarkerByte ||
        tail[1] != kJpegEoi) {
        return std::nullopt;
    }
    Head head;
    head.modified = info.st_mtim.tv_sec;
    for (std::uint64_t wanted = std::min<std::uint64_t>(size, kFirstHeadRead);;
         wanted = std::min<std::uint64_t>(size, wanted * 2)) {
        const std::size_t have = head.bytes.size();
        head.bytes.resize(wanted);
        if (!ReadFullyAt(fd.get(), have, head.bytes.data() + have, wanted - have)) {
            return std::nullopt;
        }
        if (const auto frame = ReadJpegHeaders(head.bytes)) {
            head.frame = *frame;
            return head;
        }
        if (wanted == size || wanted >= kMaxHeadRead) {
            return std::nullopt;
        }
    }
}

// The preview of a photo whose Exif block and file say it is as the camera wrote it.
std::optional<ExifPreview> CameraPreview(const Head& head) {
    const JpegFrame& frame = head.frame;
    const std::span<const std::uint8_t> app1 =
        std::span(head.bytes).subspan(frame.app1Offset, frame.app1Length);
    if (!IsExifSegment(app1) || std::int64_t{frame.width} * frame.height > kMaxPhotoPixels) {
        return std::nullopt;
    }
    auto exif = ReadExifPreview(app1.subspan(kExifIdentifier.size()));
    const bool trusted = exif && WrittenByCamera(*exif, head.modified) &&
                         exif->pixelWidth == static_cast<std::uint32_t>(frame.width) &&
                         exif->pixelHeight == static_cast<std::uint32_t>(frame.height);
    return trusted ? exif : std::nullopt;
}

// Within a pixel of the preview each way: 160 x 106 for 6000 x 4000, not 160 x 120.
bool SameAspect(const JpegFrame& preview, const JpegFrame& photo) {
    const std::int64_t across = std::int64_t{preview.width} * photo.height;
    const std::int64_t down = std::int64_t{preview.height} * photo.width;
    return std::abs(across - down) <= std::min(photo.width, photo.height);
}

bool Fits(const JpegFrame& preview, const JpegFrame& photo, PixelSize fitted) {
    const bool turned = photo.orientation >= 5;
    const int width = turned ? preview.height : preview.width;
    const int height = turned ? preview.width : preview.height;
    return SameAspect(preview, photo) && width >= kLeastPreviewOversample * fitted.width &&
           height >= kLeastPreviewOversample * fitted.height &&
           (preview.components == 1) == (photo.components == 1);
}

QELImage FromPreview(const std::string& path, const ImageBox& box) {
    const auto head = ReadHead(path);
    const auto exif = head ? CameraPreview(*head) : std::nullopt;
    if (!exif) {
        return {};
    }
    std::string jpeg(exif->jpeg.begin(), exif->jpeg.end());
    const auto preview = ReadJpegFrame(AsBytes(jpeg));
    const PixelSize photo = UprightSize(head->frame);
    const auto fitted = FittedSize(photo.width, photo.height, box);
    if (!preview || !fitted || !WithinDecodeLimits(*preview) ||
        !Fits(*preview, head->frame, *fitted)) {
        return {};
    }
    auto stored = DecodeStored(jpeg, *preview, 1);
    auto upright = stored ? Upright(std::move(stored), head->frame.orientation) : nullptr;
    QELImage picture;
    picture.image = upright ? AreaResized(MatOf(*upright), *fitted) : nullptr;
    picture.topDown = 1;
    return picture;
}

} // namespace

QELImage PreviewThumbnail(const std::string& path, const ImageBox& box) {
    try {
        return FromPreview(path, box);
    } catch (const std::exception&) { // cv::Exception and std::bad_alloc
        return {};
    }
}
