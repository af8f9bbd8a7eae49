#pragma once

#include <string>
#include <string_view>

// Text fit for display: `bytes` with every byte that does not belong to a well-formed UTF-8
// sequence replaced by U+FFFD. File names on Linux need not be UTF-8; the names themselves are
// kept as bytes, only what is shown goes through here.
std::string ValidUtf8(std::string_view bytes);
