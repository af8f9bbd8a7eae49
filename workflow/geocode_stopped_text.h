#pragma once

#include <string>

// What the window tells the user when STEP3 stops asking the geocoding service: why, by the
// result code that stopped it, and that the photos left keep the places they had.
std::string GeocodeStoppedText(int result);
