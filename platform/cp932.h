#pragma once

#include <optional>
#include <string>

// Code page 932 (Shift-JIS as Windows writes it) appears only at the record-file boundary.

// Strict: nullopt when some character has no CP932 form or the input is not valid UTF-8.
std::optional<std::string> Utf8ToCp932Strict(const std::string& utf8);
// Replacing: a character without CP932 form (or an invalid byte) becomes '?'.
std::string Utf8ToCp932Replacing(const std::string& utf8);

// Strict: nullopt when the input is not valid CP932.
std::optional<std::string> Cp932ToUtf8Strict(const std::string& cp932);
// Replacing: an invalid byte sequence becomes U+FFFD.
std::string Cp932ToUtf8Replacing(const std::string& cp932);
