#pragma once

#include "catalogue/title_options.h"

#include <string>

inline constexpr char kTitleOptionsSection[] = "Parameter";

// The defaults; the settings path stays.
void resetTitleOptions(TitleOptions& options);
// Reads section "Parameter" over the current values: a missing key keeps its value.
void loadTitleOptions(TitleOptions& options);
// Writes all ten keys. Returns false when the settings file cannot be written.
bool saveTitleOptions(const TitleOptions& options);
// Sets the option kept under a settings key ("2_2_Place", ...); false for an unknown key.
bool setTitleOption(TitleOptions& options, const std::string& key, int value);
