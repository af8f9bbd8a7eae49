#include "titles/title_settings.h"

#include "platform/private_profile.h"

#include <string>

namespace {

struct OptionKey {
    const char* key;
    int TitleOptions::*field;
};

// In the order the settings file lists them.
constexpr OptionKey kOptionKeys[] = {
    {"1_1_CB", &TitleOptions::folder1Choice},      {"1_1_ShootYear", &TitleOptions::shootYear},
    {"2_1_CB", &TitleOptions::folder2DateChoice},  {"2_1_ShootDay", &TitleOptions::shootDay},
    {"2_2_CB", &TitleOptions::folder2PlaceChoice}, {"2_2_Place", &TitleOptions::folder2Place},
    {"3_1_CB", &TitleOptions::fileChoice},         {"3_1_ShootHour", &TitleOptions::shootHour},
    {"3_2_CB", &TitleOptions::filePlaceChoice},    {"3_2_Place", &TitleOptions::filePlace},
};

} // namespace

void resetTitleOptions(TitleOptions& options) {
    TitleOptions defaults;
    defaults.settingsPath = options.settingsPath;
    options = defaults;
}

void loadTitleOptions(TitleOptions& options) {
    for (const OptionKey& option : kOptionKeys) {
        options.*option.field = GetPrivateProfileInt(kTitleOptionsSection, option.key,
                                                     options.*option.field, options.settingsPath);
    }
}

// Every option change stores all ten, so they go to the file in one replacement.
bool saveTitleOptions(const TitleOptions& options) {
    ProfileEntries entries;
    for (const OptionKey& option : kOptionKeys) {
        entries.emplace_back(option.key, std::to_string(options.*option.field));
    }
    return WritePrivateProfileStrings(kTitleOptionsSection, entries, options.settingsPath);
}

bool setTitleOption(TitleOptions& options, const std::string& key, int value) {
    for (const OptionKey& option : kOptionKeys) {
        if (key == option.key) {
            options.*option.field = value;
            return true;
        }
    }
    return false;
}
