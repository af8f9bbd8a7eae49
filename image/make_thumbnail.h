#pragma once

#include "catalogue/qel_file_info.h"
#include "catalogue/qel_image.h"

#include <memory>
#include <optional>

// The size QELImage::FitInto gives a width x height picture in `box`: the box's full width or
// height, the other side in proportion (truncated, at least 1). Empty for an empty box or
// picture, or when a side would not fit in an int.
std::optional<PixelSize> FittedSize(int width, int height, const ImageBox& box);

// The photo of `path` decoded, reduced by the decoder where that leaves enough pixels, and fitted
// into `box`; empty when it cannot be decoded.
QELImage DecodedThumbnail(const std::string& path, const ImageBox& box);

// Makes the record's thumbnail: its photo fitted into `box`, stored under the record's mutex. 1
// when made (thumbReady is then 1); 0 for no record, a folder, an empty path, or a photo that
// cannot be decoded (the thumbnail is then empty). The full-size picture is never left in the
// record. The camera's own preview is taken where it can be trusted (PreviewThumbnail); otherwise
// a JPEG the decoder can scale is decoded at 1/2, 1/4 or 1/8 first. Either way the thumbnail has
// the size and look that decoding the photo whole and fitting it would give. Safe to call for
// different records from several threads at once.
int MakeThumbnail(QELFileInfo* record, const ImageBox& box);
