#pragma once

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/window.h>

#include <functional>
#include <string>

// Driving real windows in the test's own process: the UI runs while a test waits, and input
// goes through the X server (XTest) to whatever window lies under the pointer, as a user's
// would.

// Lets the UI run until `done` holds; false when `timeoutMs` passed first.
bool RunUntil(const std::function<bool()>& done, int timeoutMs = 10000);
// Lets the UI run until `check` passes; the last check's result when it has not within
// `timeoutMs`. For what the screen shows: a window paints when the toolkit comes round to it,
// later on a busy machine.
::testing::AssertionResult Eventually(const std::function<::testing::AssertionResult()>& check,
                                      int timeoutMs = 10000);

void MovePointerTo(wxWindow* window, const wxPoint& at);
// A left click at `at` in the window's client coordinates (its centre by default).
void ClickAt(wxWindow* window, const wxPoint& at);
void Click(wxWindow* window);
void DoubleClickAt(wxWindow* window, const wxPoint& at);
// A key stroke with the pointer resting over `window`, so that the key goes to its top level.
void PressKey(wxWindow* window, int keyCode, int modifiers = 0);
void TypeText(wxWindow* window, const std::string& text);

// Saves the window as it is on the screen as a PNG file (missing folders are made).
bool SaveScreenshot(wxWindow* window, const std::string& path);
// The window's client area as it is on the screen; an invalid image when it is not shown.
wxImage ClientPixels(wxWindow* window);

template <typename Control> Control* ControlById(wxWindow* parent, int id) {
    return dynamic_cast<Control*>(parent->FindWindow(id));
}
