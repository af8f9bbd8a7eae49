#pragma once

#include <wx/bitmap.h>
#include <wx/string.h>

// The faces of the owner-drawn buttons, drawn in code.

enum class StepFaceKind { ToDo, ToDoPressed, Done, DonePressed, Grey, Busy };

// A step button's face: a tag (green "STEPn" to do, dark "STEPn" done, yellow "処理中" busy,
// grey while disabled) and the step's task from its caption "STEPn:task".
wxBitmap StepFaceBitmap(const wxString& caption, StepFaceKind kind, const wxSize& size);

enum class BadgeState { Waiting, Answered, Unavailable };

// The geocoding service's badge, in colour once the service has answered, grey before, grey and
// struck through when it did not answer; it names "GeoNames", whose data the built-in geocoder
// answers from, or the web service.
wxBitmap ServiceBadgeFace(BadgeState state, bool builtin, const wxSize& size);

enum class ViewPicture { Photo, Map };

// The faces of "写" and "地": a small photo or map with the character on it.
wxBitmap ViewButtonFace(ViewPicture picture, bool pressed, const wxSize& size);
