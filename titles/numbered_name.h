#pragma once

#include <string>

// `name` with `number` put in as equal photo names are numbered: before the extension, the last
// ".jpg" in any case ("A.JPG" → "A-2.JPG", "a.jpg" → "a-2.jpg"), alone in front of it when the
// name is nothing but the extension (".JPG" → "2.JPG"), and at the end of a name without one.
std::string NumberedName(const std::string& name, int number);

// Whether `name` is nothing but a ".jpg" extension, in any case.
bool IsBareExtension(const std::string& name);
