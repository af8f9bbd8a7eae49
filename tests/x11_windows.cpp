#include "tests/x11_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <string>

namespace {

// The title as the toolkit sets it for a UTF-8 world, _NET_WM_NAME; WM_NAME holds a Japanese
// title in another encoding.
bool Named(Display* display, Window window, const char* title) {
    const Atom property = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* name = nullptr;
    const bool read = XGetWindowProperty(display, window, property, 0, 1024, False, utf8, &type,
                                         &format, &count, &after, &name) == Success;
    const bool named = read && name != nullptr && type == utf8 &&
                       std::string(reinterpret_cast<char*>(name), count) == title;
    if (name != nullptr) {
        XFree(name);
    }
    return named;
}

bool Matches(Display* display, Window window, const char* title, XWindowAttributes& attributes) {
    return Named(display, window, title) &&
           XGetWindowAttributes(display, window, &attributes) != 0 &&
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
