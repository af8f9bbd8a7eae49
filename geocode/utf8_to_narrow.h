#pragma once

#include <string>
#include <string_view>

// Narrow text is UTF-8 here, so the service's answer needs no conversion, only validation: the
// text up to its first NUL, with each ill-formed byte sequence (a stray byte, or the longest
// start of a sequence that is cut short) replaced by U+FFFD. Valid text is kept as it is.
std::string utf8ToNarrow(std::string_view utf8);
