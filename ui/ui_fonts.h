#pragma once

#include <wx/font.h>

// The display face of the program at a pixel height: "ＭＳ Ｐゴシック" where fontconfig knows it,
// else "IPAPGothic", else the default GUI font.
wxFont DisplayFont(int pixelHeight, bool bold = false);
