#include "tests/x11_windows.h"

#include <X11/Xlib.h>

#include <cstring>

namespace {

bool Matches(Display* display, Window window, const char* title, XWindowAttributes& attributes) {
    char* name = nullptr;
    const bool named =
        XFetchName(display, window, &name) != 0 && name != nullptr && std::strcmp(name, title) == 0;
    if (name != nullptr) {
        XFree(name);
    }
    return named && XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

} // namespace

bool FindTopLevelWindow(const char* title, wxPoint& origin, wxSize& size) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    const Window root = DefaultRootWindow(display);
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    bool found = false;
    // Without a window manager the top-level windows are the root's own children.
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) != 0) {
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes attributes{};
            if (Matches(display, children[i], title, attributes)) {
                Window child = 0;
                XTranslateCoordinates(display, children[i], root, 0, 0, &origin.x, &origin.y,
                                      &child);
                size = wxSize(attributes.width, attributes.height);
                found = true;
            }
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
    XCloseDisplay(display);
    return found;
}
