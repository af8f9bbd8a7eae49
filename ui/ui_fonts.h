#pragma once

#include <wx/font.h>

// The display face of the program at a pixel height (its line, at 96 DPI; never below the
// smallest text height, and times the layout scale): "ＭＳ Ｐゴシック" where fontconfig knows it,
// else "IPAPGothic", else the default GUI font.
wxFont DisplayFont(int pixelHeight, bool bold = false);
