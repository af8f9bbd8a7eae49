#pragma once

#include "catalogue/left_on_card.h"

#include <string>

// "not imported: 12 videos / 3 RAW only / 2 other pictures / 5 other files", kinds without a
// file left out; empty when nothing stays behind.
std::string NotImportedLine(const LeftOnCard& left);

// Prints the line when there is one and, when `each`, every such file as "<kind>\t<path>".
void PrintNotImported(const LeftOnCard& left, bool each);
