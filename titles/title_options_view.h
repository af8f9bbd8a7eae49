#pragma once

#include <string>
#include <vector>

struct TitleOptions;

// The title-option controls of the main window: five radio groups and four drop-down lists.
class TitleOptionsView {
public:
    virtual ~TitleOptionsView() = default;
    virtual bool isRadioChecked(int id) const = 0;
    // Checks `checkId` and unchecks every other button from `firstId` to `lastId`; an id
    // outside that range leaves all of them unchecked.
    virtual void checkRadioButton(int firstId, int lastId, int checkId) = 0;
    virtual void setComboItems(int id, const std::vector<std::string>& items) = 0;
    // The selected item's index, -1 when none is selected.
    virtual int comboSelection(int id) const = 0;
    virtual void selectComboItem(int id, int index) = 0;
    virtual void enableControl(int id, bool enabled) = 0;
};

// The controls' ids, those of the Windows program's dialog template. A radio group's buttons are
// numbered in the order of the values they stand for, from the group's first id.
inline constexpr int kYearWesternRadio = 1018; // 西暦年
inline constexpr int kYearDigitsRadio = 1019;  // 西暦数字
inline constexpr int kYearEraRadio = 1020;     // 和暦
inline constexpr int kYearBothRadio = 1021;    // 併記
inline constexpr int kDayJapaneseRadio = 1022; // 日本語
inline constexpr int kDayDigitsRadio = 1023;   // 数字
inline constexpr int kFolderCountryRadio = 1025;
inline constexpr int kFolderPrefectureRadio = 1026;
inline constexpr int kFolderMunicipalityRadio = 1027;
inline constexpr int kFolderDistrictRadio = 1028;
inline constexpr int kFolderAllRadio = 1029;
inline constexpr int kHourJapaneseRadio = 1036;
inline constexpr int kHourDigitsRadio = 1037;
inline constexpr int kFileCountryRadio = 1038;
inline constexpr int kFilePrefectureRadio = 1039;
inline constexpr int kFileMunicipalityRadio = 1040;
inline constexpr int kFileDistrictRadio = 1041;
inline constexpr int kFileAllRadio = 1042;
inline constexpr int kFolder2DateCombo = 1011;
inline constexpr int kFolder2PlaceCombo = 1012;
inline constexpr int kFileCombo = 1013;
inline constexpr int kFilePlaceCombo = 1014;

// Fills the four drop-down lists with their items, once at start-up.
void fillTitleCombos(TitleOptionsView& view);
// Each radio group gives the index of its first checked button, or its last value when none of
// the others is checked; each list its selection. folder1Choice has no control and stays.
void readTitleOptionsFromControls(const TitleOptionsView& view, TitleOptions& options);
void showTitleOptions(TitleOptionsView& view, const TitleOptions& options);
