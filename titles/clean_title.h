#pragma once

#include <string>

// Titles as names every destination can hold: control characters (U+0000–U+001F, U+007F and
// U+0080–U+009F) are dropped, and trailing dots and spaces, which Windows and FAT file systems
// strip from a name, are removed. Either may leave the title empty.

// A folder title: the whole title is cleaned.
std::string cleanFolderTitle(const std::string& title);

// A file name: a ".jpg" extension in any case stays as it is, and its stem is cleaned
// ("10時00分end..JPG" gives "10時00分end.JPG", "..JPG" gives ".JPG"); a name without one is
// cleaned whole.
std::string cleanFileName(const std::string& name);
