#pragma once

#include <span>

// The main window's controls as the dialog template places them, in dialog units.

enum class ControlKind {
    StepButton, // owner-drawn, faces by workflow state
    FaceButton, // owner-drawn, fixed faces ("写", "地", the badge, the hidden button)
    PushButton,
    FolderText,  // sunken static, text centred vertically
    CounterText, // sunken static, centred
    List,        // owner-drawn list of catalogue records
    GroupBox,
    Radio,
    Choice,
    Progress,
    Divider, // the horizontal up-down that moves the divider between the lists
    Picture,
    Preview,
};

enum class Picture {
    None,
    FirstLevelHeading,
    SecondLevelHeading,
    FileNameHeading,
    ArrowLeft,
    ArrowRight
};

struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct LayoutEntry {
    int id; // -1 for controls the program never addresses
    ControlKind kind;
    const char* caption;
    DialogRect rect;
    Picture picture = Picture::None;
    bool startsGroup = false; // radio buttons
};

inline constexpr int kMainWindowWidth = 583;
inline constexpr int kMainWindowHeight = 457;

// Every control of the main window, in the template's order (z-order: later on top).
std::span<const LayoutEntry> MainWindowLayout();

// Pixels at 96 DPI for dialog units of the window's font, "MS UI Gothic" 9 point: 1.5 a unit
// both ways, rounded half up as the platform did (583 x 457 units = 875 x 686 pixels).
int DialogUnitsToPixels(int units);
// The same at a layout scale: the 96-DPI pixels times `scale`, so that at 2 every control is
// exactly twice its 96-DPI size.
int DialogUnitsToPixels(int units, double scale);
