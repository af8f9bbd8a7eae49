#pragma once

#include "display/qel_image.h"

#include <string>

// The largest map picture taken, each way; the service sends 400 x 400 (twice that at scale 2).
inline constexpr int kMaxMapPictureSide = 4096;

// Decodes a map picture as the service sends it (PNG or JPEG) into `picture`. The size its
// header declares is checked before any decoding, so a small hostile answer cannot make the
// decoder allocate gigabytes. False, with `picture` empty, for anything else.
bool DecodeMapPicture(const std::string& bytes, QELImage& picture);
