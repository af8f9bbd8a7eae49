#pragma once

#include <string>

// The ReadMe.txt that "ヘルプ" opens: the one in the working folder first, as the program has
// always looked, then the one installed beside the program's data (../share/tessaro/ from the
// executable, so any install prefix works). Empty when there is none.
std::string FindHelpFile(const std::string& executablePath);
