#pragma once

#include <string>

// The image view and the map view, separate windows of the main window, as it calls them when
// a row is selected and when their buttons or a thumbnail click bring them up.
class EntryViews {
public:
    virtual ~EntryViews() = default;
    virtual void ShowImageFile(const std::string& path) = 0;
    virtual void ShowPosition(double latitude, double longitude) = 0;
    virtual void showImageWindow() = 0;
    virtual void showMapWindow() = 0;
};
