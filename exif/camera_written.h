#pragma once

#include "exif/exif_preview.h"

#include <cstdint>
#include <string>

// Whether a photo's file is still the one its camera wrote as it shot, so that the preview in
// its Exif block shows its pixels. Metadata alone cannot say so: a program that changes the
// pixels may keep the whole Exif block, preview, DateTime and all. The file's time can: a camera
// writes the file within seconds of DateTimeOriginal (on FAT in local time, to 2 seconds), and
// copies that keep the time (cp -p, card readers, our copy pass) keep it, while an editor writes
// a new file. So all of these must hold:
// - the modification time `modified` (seconds since 1970) lies from 2 s before DateTimeOriginal,
//   read as local time, to kLatestCameraWrite after it;
// - DateTime is DateTimeOriginal, both valid times, as a camera writes them;
// - Software is absent or names only the camera's firmware (IsFirmwareName).
bool WrittenByCamera(const ExifPreview& exif, std::int64_t modified);

// Bursts wait in the camera's buffer, and a long exposure with noise reduction takes twice its
// time before the file is written.
inline constexpr std::int64_t kLatestCameraWrite = 60;

// Whether a Software text names nothing but firmware: once the Make and Model texts are taken
// out, no word of four letters or more is left but "version", "firmware", "digital" and "camera"
// ("Ver.1.00", "Version 1.0", "ILCE-7M3 v3.01", "Digital Camera X-T2 Ver2.00"; not "GIMP 2.8",
// "paint.net 4.2", "Nikon Transfer 1.1"). Bytes beyond ASCII count as letters.
bool IsFirmwareName(const std::string& software, const std::string& make, const std::string& model);
