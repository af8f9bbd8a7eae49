#pragma once

#include "catalogue/qel_image.h"

#include <string>

// The largest map picture taken, each way; the service sends 400 x 400 (twice that at scale 2).
inline constexpr int kMaxMapPictureSide = 4096;

// Decodes a map picture as the service sends it (PNG or JPEG) into `picture`. Its structure and
// the size its header declares are checked before any decoding, so that a small hostile answer
// can make the decoder neither allocate gigabytes nor work for minutes. False, with `picture`
// empty, for anything else.
bool DecodeMapPicture(const std::string& bytes, QELImage& picture);
