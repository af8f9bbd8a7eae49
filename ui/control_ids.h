#pragma once

#include "titles/title_options_view.h"

// Control ids of the main window, those of the Windows program's dialog template. The title
// option controls keep theirs in titles/title_options_view.h.
inline constexpr int kIdExit = 1000;
inline constexpr int kIdSourceList = 1001;
inline constexpr int kIdStep1 = 1002;
inline constexpr int kIdStep2 = 1003;
inline constexpr int kIdStep3 = 1004;
inline constexpr int kIdSourceFolder = 1005;
inline constexpr int kIdResultList = 1006;
inline constexpr int kIdProgress = 1007;
inline constexpr int kIdCounter = 1008;
inline constexpr int kIdStep4 = 1009;
inline constexpr int kIdStep5 = 1024;
inline constexpr int kIdStep6 = 1030;
inline constexpr int kIdDestinationFolder = 1031;
inline constexpr int kIdServiceBadge = 1032;
inline constexpr int kIdHidden = 1033;
inline constexpr int kIdDivider = 1043;
inline constexpr int kIdPreview = 1045;
inline constexpr int kIdImageButton = 1047;
inline constexpr int kIdMapButton = 1048;
inline constexpr int kIdHelp = 1050;
inline constexpr int kIdResetOptions = 1051;

inline constexpr int kStepButtonIds[] = {kIdStep1, kIdStep2, kIdStep3,
                                         kIdStep4, kIdStep5, kIdStep6};

// The radio buttons of the five title-option groups, each group's first id first.
inline constexpr int kTitleRadioIds[] = {
    kYearWesternRadio,        kYearDigitsRadio,     kYearEraRadio,        kYearBothRadio,
    kDayJapaneseRadio,        kDayDigitsRadio,      kFolderCountryRadio,  kFolderPrefectureRadio,
    kFolderMunicipalityRadio, kFolderDistrictRadio, kFolderAllRadio,      kHourJapaneseRadio,
    kHourDigitsRadio,         kFileCountryRadio,    kFilePrefectureRadio, kFileMunicipalityRadio,
    kFileDistrictRadio,       kFileAllRadio};

// The order in which Tab reaches the controls that take focus.
inline constexpr int kTabOrder[] = {
    kIdStep1, kIdStep2, kIdStep3, kIdStep4, kIdStep5, kIdStep6, kIdSourceList, kIdResultList,
    // the title options, as the window shows them from top to bottom
    kYearWesternRadio, kYearDigitsRadio, kYearEraRadio, kYearBothRadio, kFolder2DateCombo,
    kFolder2PlaceCombo, kDayJapaneseRadio, kDayDigitsRadio, kFolderCountryRadio,
    kFolderPrefectureRadio, kFolderMunicipalityRadio, kFolderDistrictRadio, kFolderAllRadio,
    kFileCombo, kFilePlaceCombo, kHourJapaneseRadio, kHourDigitsRadio, kFileCountryRadio,
    kFilePrefectureRadio, kFileMunicipalityRadio, kFileDistrictRadio, kFileAllRadio,
    kIdResetOptions, kIdDivider, kIdImageButton, kIdMapButton, kIdHelp, kIdExit};
