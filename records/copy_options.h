#pragma once

#include <string>

inline constexpr char kVerifyCopiesKey[] = "VerifyCopies";

// How a copy pass goes about its copies.
struct CopyOptions {
    // Every copy is read back from the device and compared with its source before it counts.
    bool verify = true;
};

// "VerifyCopies" of the settings file's "Service" section: 0 turns the read-back off.
CopyOptions loadCopyOptions(const std::string& settingsPath);
