#pragma once

#include <string>

// printf's "%f" in the C locale: six decimals, a leading minus for negative values, whatever
// locale the process runs in.
void AppendFixed(std::string& text, double value);

// `text` with every byte but letters, digits and "-._~" written as %XX, so that a value the user
// typed (a key with '&', '#' or a space) cannot break the query it is put into.
std::string PercentEncoded(const std::string& text);
