#include "image/decode_jpeg_direct.h"

#include "image/decoder_scale.h"
#include "image/jpeg_file.h"
#include "image/pixels_mat.h"

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include <climits>
#include <utility>

namespace {

constexpr int kNoFlip = 2;
// Grey stays grey and colour (YCbCr, CMYK) comes as blue-green-red, 8 bits either way.
constexpr int kDecodeFlags =
    cv::IMREAD_ANYDEPTH | cv::IMREAD_ANYCOLOR | cv::IMREAD_IGNORE_ORIENTATION;

int ScaleFlag(int scale) {
    switch (scale) {
    case 2:
        return cv::IMREAD_REDUCED_GRAYSCALE_2;
    case 4:
        return cv::IMREAD_REDUCED_GRAYSCALE_4;
    case 8:
        return cv::IMREAD_REDUCED_GRAYSCALE_8;
    default:
        return 0;
    }
}

int CeilDiv(int value, int divisor) {
    return (value + divisor - 1) / divisor;
}

// Hands the decoder our own rows for a picture of exactly their size and kind, anything else the
// decoder's own memory. A decoder that fails before it creates its picture leaves the image
// empty, where one given our rows up front would leave them looking decoded.
class OwnRows : public cv::MatAllocator {
public:
    explicit OwnRows(ImagePixels& pixels) : pixels_(pixels) {}

    cv::UMatData* allocate(int dims, const int* sizes, int type, void* data, std::size_t* step,
                           cv::AccessFlag flags, cv::UMatUsageFlags usage) const override {
        const bool ours = dims == 2 && data == nullptr && sizes[0] == pixels_.height &&
                          sizes[1] == pixels_.width && type == CV_MAKETYPE(CV_8U, pixels_.channels);
        if (!ours) {
            return cv::Mat::getStdAllocator()->allocate(dims, sizes, type, data, step, flags,
                                                        usage);
        }
        step[0] = pixels_.stride;
        step[1] = static_cast<std::size_t>(pixels_.channels);
        auto* block = new cv::UMatData(this);
        block->data = block->origdata = pixels_.bytes.data();
        block->size = pixels_.bytes.size();
        block->flags |= cv::UMatData::USER_ALLOCATED;
        return block;
    }
    bool allocate(cv::UMatData* block, cv::AccessFlag, cv::UMatUsageFlags) const override {
        return block != nullptr;
    }
    // The rows stay with the pixels.
    void deallocate(cv::UMatData* block) const override { delete block; }

private:
    ImagePixels& pixels_;
};

// The flip that follows the quarter turn (orientations 5 to 8) or stands alone (2 to 4), in
// cv::flip's codes: 1 about the vertical axis, 0 about the horizontal one, -1 both.
int FlipCode(int orientation) {
    switch (orientation) {
    case 2:
    case 6:
        return 1;
    case 3:
    case 7:
        return -1;
    case 4:
    case 8:
        return 0;
    default:
        return kNoFlip;
    }
}

} // namespace

std::unique_ptr<ImagePixels> Upright(std::unique_ptr<ImagePixels> stored, int orientation) {
    if (orientation >= 5) {
        auto turned = NewPixels(PixelSize{stored->height, stored->width}, stored->channels);
        cv::Mat target = MatOf(*turned);
        cv::transpose(MatOf(*stored), target);
        if (target.data != turned->bytes.data()) {
            return nullptr;
        }
        stored = std::move(turned);
    }
    const int flip = FlipCode(orientation);
    if (flip != kNoFlip) {
        cv::Mat view = MatOf(*stored);
        cv::flip(view, view, flip);
        if (view.data != stored->bytes.data()) {
            return nullptr;
        }
    }
    return stored;
}

std::unique_ptr<ImagePixels> DecodeStored(std::string& file, const JpegFrame& frame, int scale) {
    if (!frame.endsWithEoi) {
        EndWithEoi(file);
    }
    if (file.size() > INT_MAX) {
        return nullptr;
    }
    auto pixels = NewPixels(PixelSize{CeilDiv(frame.width, scale), CeilDiv(frame.height, scale)},
                            frame.components == 1 ? 1 : 3);
    OwnRows rows(*pixels);
    cv::Mat target;
    target.allocator = &rows;
    // Only read from: cv::Mat has no constructor for const bytes.
    const cv::Mat encoded(1, static_cast<int>(file.size()), CV_8U, file.data());
    const cv::Mat decoded = cv::imdecode(encoded, kDecodeFlags | ScaleFlag(scale), &target);
    return decoded.data == pixels->bytes.data() ? std::move(pixels) : nullptr;
}

QELImage DecodeJpegDirect(const std::string& path, const ImageBox& box, int oversample) {
    auto file = ReadJpegBytes(path);
    const auto frame = file ? ReadJpegFrame(AsBytes(*file)) : std::nullopt;
    if (!frame || !WithinDecodeLimits(*frame)) {
        return {};
    }
    const PixelSize photo = UprightSize(*frame);
    const int scale = ChooseDecoderScale(photo, box, oversample);
    auto stored = DecodeStored(*file, *frame, scale);
    QELImage picture;
    picture.image = stored ? Upright(std::move(stored), frame->orientation) : nullptr;
    if (picture.image) {
        picture.topDown = 1;
        picture.scale = scale;
        picture.photoSize = photo;
    }
    return picture;
}
