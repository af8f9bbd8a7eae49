#include "ui/window_size_setting.h"

#include "platform/private_profile.h"
#include "ui/ui_scale.h"

#include <wx/display.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr char kSection[] = "Window";
constexpr char kWidthKey[] = "Width";
constexpr char kHeightKey[] = "Height";
constexpr char kMaximisedKey[] = "Maximized";

} // namespace

bool RestoreWindowSize(wxTopLevelWindow* window, const std::string& settingsPath) {
    const double scale = UiScale(window);
    const wxSize least = window->GetMinClientSize();
    const int display = wxDisplay::GetFromWindow(window);
    const wxRect area =
        wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
    const wxSize frame = window->GetSize() - window->GetClientSize();
    // A size from another, larger screen, or a hand-edited one, still leaves the window on this.
    const int width =
        std::clamp(ScaledPixels(GetPrivateProfileInt(kSection, kWidthKey, 0, settingsPath), scale),
                   least.x, std::max(least.x, area.width - frame.x));
    const int height =
        std::clamp(ScaledPixels(GetPrivateProfileInt(kSection, kHeightKey, 0, settingsPath), scale),
                   least.y, std::max(least.y, area.height - frame.y));
    window->SetClientSize(width, height);
    return GetPrivateProfileInt(kSection, kMaximisedKey, 0, settingsPath) != 0;
}

void StoreWindowSize(const wxTopLevelWindow* window, const std::string& settingsPath) {
    const double scale = UiScale(window);
    const bool maximised = window->IsMaximized();
    ProfileEntries entries = {{kMaximisedKey, maximised ? "1" : "0"}};
    // A maximised window keeps the size it had before, to return to it.
    if (!maximised) {
        const wxSize client = window->GetClientSize();
        entries.emplace_back(kWidthKey, std::to_string(std::lround(client.x / scale)));
        entries.emplace_back(kHeightKey, std::to_string(std::lround(client.y / scale)));
    }
    WritePrivateProfileStrings(kSection, entries, settingsPath);
}
