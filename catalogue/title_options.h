#pragma once

#include <string>

// How the result tree's levels are titled, with the settings file they are kept in. The
// catalogue holds them; titles/ composes with them and keeps them in the settings file.
struct TitleOptions {
    int folder1Choice = 0;
    int shootYear = 3;
    int folder2DateChoice = 0;
    int folder2PlaceChoice = 0;
    int shootDay = 0;
    int folder2Place = 1;
    int fileChoice = 0;
    int filePlaceChoice = 0;
    int shootHour = 0;
    int filePlace = 2;
    std::string settingsPath;
};
