#include "tests/window_driver.h"

#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/uiaction.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

constexpr auto kPoll = std::chrono::milliseconds(2);

void Run() {
    wxTheApp->Yield(true);
}

wxPoint OnScreen(wxWindow* window, const wxPoint& at) {
    return window->ClientToScreen(at);
}

} // namespace

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        Run();
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPoll);
    }
}

::testing::AssertionResult Eventually(const std::function<::testing::AssertionResult()>& check,
                                      int timeoutMs) {
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    RunUntil([&] { return static_cast<bool>(result = check()); }, timeoutMs);
    return result;
}

void MovePointerTo(wxWindow* window, const wxPoint& at) {
    wxUIActionSimulator input;
    input.MouseMove(OnScreen(window, at));
    Run();
}

void ClickAt(wxWindow* window, const wxPoint& at) {
    MovePointerTo(window, at);
    wxUIActionSimulator input;
    input.MouseClick();
    Run();
}

void Click(wxWindow* window) {
    const wxSize size = window->GetClientSize();
    ClickAt(window, wxPoint(size.x / 2, size.y / 2));
}

void DoubleClickAt(wxWindow* window, const wxPoint& at) {
    MovePointerTo(window, at);
    wxUIActionSimulator input;
    input.MouseDblClick();
}

void PressKey(wxWindow* window, int keyCode, int modifiers) {
    const wxSize size = window->GetClientSize();
    MovePointerTo(window, wxPoint(size.x / 2, size.y / 2));
    wxUIActionSimulator input;
    input.Char(keyCode, modifiers);
    Run();
}

void TypeText(wxWindow* window, const std::string& text) {
    const wxSize size = window->GetClientSize();
    MovePointerTo(window, wxPoint(size.x / 2, size.y / 2));
    wxUIActionSimulator input;
    input.Text(text.c_str());
    Run();
}

bool SaveScreenshot(wxWindow* window, const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    GdkWindow* shown = gtk_widget_get_window(window->GetHandle());
    if (shown == nullptr) {
        return false;
    }
    GdkPixbuf* pixels = gdk_pixbuf_get_from_window(shown, 0, 0, gdk_window_get_width(shown),
                                                   gdk_window_get_height(shown));
    if (pixels == nullptr) {
        return false;
    }
    const bool saved = gdk_pixbuf_save(pixels, path.c_str(), "png", nullptr, nullptr);
    g_object_unref(pixels);
    return saved;
}

wxImage ClientPixels(wxWindow* window) {
    GdkWindow* shown = gtk_widget_get_window(window->GetHandle());
    const wxSize size = window->GetClientSize();
    if (shown == nullptr || size.x <= 0 || size.y <= 0) {
        return {};
    }
    int left = 0;
    int top = 0;
    gdk_window_get_origin(shown, &left, &top);
    const wxPoint client = window->ClientToScreen(wxPoint(0, 0)) - wxPoint(left, top);
    GdkPixbuf* pixels = gdk_pixbuf_get_from_window(shown, client.x, client.y, size.x, size.y);
    if (pixels == nullptr) {
        return {};
    }
    wxImage image(size.x, size.y, false);
    const int channels = gdk_pixbuf_get_n_channels(pixels);
    const int stride = gdk_pixbuf_get_rowstride(pixels);
    const guchar* data = gdk_pixbuf_get_pixels(pixels);
    for (int y = 0; y < size.y; ++y) {
        for (int x = 0; x < size.x; ++x) {
            const guchar* pixel = data + y * stride + x * channels;
            image.SetRGB(x, y, pixel[0], pixel[1], pixel[2]);
        }
    }
    g_object_unref(pixels);
    return image;
}
