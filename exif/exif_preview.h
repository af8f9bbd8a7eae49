#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// What an Exif block says about the small JPEG preview its camera put in IFD1, and the tags
// that tell a file as the camera wrote it from one a program wrote since.
struct ExifPreview {
    std::span<const std::uint8_t> jpeg; // inside the TIFF bytes it was read from
    std::string make;                   // IFD0 0x010F
    std::string model;                  // IFD0 0x0110
    std::string software;               // IFD0 0x0131
    std::string dateTime;               // IFD0 0x0132
    std::string dateTimeOriginal;       // Exif 0x9003
    std::uint32_t pixelWidth = 0;       // Exif 0xA002; 0 when absent
    std::uint32_t pixelHeight = 0;      // Exif 0xA003
};

// Reads IFD0, the Exif sub-IFD and IFD1 (IFD0's next-IFD link) of the TIFF bytes of an APP1
// "Exif" segment: those bytes alone, each IFD once. Nothing when the header is not II/MM with
// 42, or when IFD1 names no preview (JPEGInterchangeFormat and its length) lying wholly within
// the bytes. An entry whose value lies past the end counts as absent; of a tag met twice the
// first counts.
std::optional<ExifPreview> ReadExifPreview(std::span<const std::uint8_t> tiff);
