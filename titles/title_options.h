#pragma once

#include <string>

// How the result tree's levels are titled, with the settings file they are kept in.
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

inline constexpr char kTitleOptionsSection[] = "Parameter";

// The defaults; the settings path stays.
void resetTitleOptions(TitleOptions& options);
// Reads section "Parameter" over the current values: a missing key keeps its value.
void loadTitleOptions(TitleOptions& options);
// Writes all ten keys. Returns false when the settings file cannot be written.
bool saveTitleOptions(const TitleOptions& options);
// Sets the option kept under a settings key ("2_2_Place", ...); false for an unknown key.
bool setTitleOption(TitleOptions& options, const std::string& key, int value);
