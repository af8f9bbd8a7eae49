#pragma once

#include "catalogue/qel_image.h"

#include <string>

// A thumbnail from the preview the camera put in the photo's Exif block (IFD1, typically
// 160 x 120), which decodes in a fraction of the time of even the photo's 1/8: the preview turned
// by the photo's orientation and fitted into `box` to the size the whole photo would get.
//
// Empty unless the preview can be trusted to show the photo's pixels:
// - the file is as its camera wrote it (WrittenByCamera: its time, DateTime, Software) and ends
//   in an end-of-image marker, so a file cut short shows its grey rows, not the preview;
// - the Exif block is the file's first APP1 segment, the one the decoder takes the orientation
//   from, and the frame's size is the Exif pixel dimensions (an editor's crop or resize keeps
//   them);
// - the preview has the frame's aspect (within a pixel of the preview), at least twice the
//   fitted size each way, grey when the photo is grey and colour when it is colour, and is a
//   JPEG within the decode limits that the decoder delivers whole.
// Only the file's headers are read, up to its first scan.
QELImage PreviewThumbnail(const std::string& path, const ImageBox& box);
