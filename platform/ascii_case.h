#pragma once

#include <string>

// Card file systems compare names with ASCII letters in either case alike and leave every other
// byte as it is, multi-byte characters included.
char AsciiUpper(char c);
std::string AsciiUpper(std::string text);
