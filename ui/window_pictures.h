#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

// The main window's pictures, drawn in code.

enum class Heading { FirstLevel, SecondLevel, FileName };

// The heading above a block of title options: the level's row colour and folder or photo
// symbol with 第1階層フォルダ名, 第2階層フォルダ名 or ファイル名.
wxBitmap HeadingPicture(Heading heading, const wxSize& size);

// The arrows on both sides of the divider mover.
wxBitmap ArrowPicture(bool pointsLeft, const wxSize& size);

// The window icon, big and small.
wxIconBundle WindowIcons();
