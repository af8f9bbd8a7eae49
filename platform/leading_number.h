#pragma once

#include <string_view>

// Numbers in record files, EXIF texts and settings files are read the way C's atoi and atof read
// them: leading blanks, an optional sign, then as many characters as form a number; the rest is
// ignored, and text without a number gives 0. Unlike atoi, a number too large for an int saturates
// instead of being undefined, and the result never depends on the process locale.
int LeadingInt(std::string_view text);

// A text that spells infinity or not-a-number gives 0, so such a value can never pose as a
// position.
double LeadingDouble(std::string_view text);
