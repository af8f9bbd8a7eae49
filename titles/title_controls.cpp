#include "titles/title_options_view.h"
#include "titles/title_settings.h"

namespace {

struct RadioGroup {
    int firstId;
    int count;
    int TitleOptions::*field;
};

constexpr RadioGroup kRadioGroups[] = {
    {kYearWesternRadio, 4, &TitleOptions::shootYear},
    {kDayJapaneseRadio, 2, &TitleOptions::shootDay},
    {kFolderCountryRadio, 5, &TitleOptions::folder2Place},
    {kHourJapaneseRadio, 2, &TitleOptions::shootHour},
    {kFileCountryRadio, 5, &TitleOptions::filePlace},
};

struct Combo {
    int id;
    int TitleOptions::*field;
};

constexpr Combo kCombos[] = {
    {kFolder2DateCombo, &TitleOptions::folder2DateChoice},
    {kFolder2PlaceCombo, &TitleOptions::folder2PlaceChoice},
    {kFileCombo, &TitleOptions::fileChoice},
    {kFilePlaceCombo, &TitleOptions::filePlaceChoice},
};

} // namespace

void fillTitleCombos(TitleOptionsView& view) {
    view.setComboItems(kFolder2DateCombo, {"撮影月日", "連番", "なし"});
    view.setComboItems(kFolder2PlaceCombo, {"撮影場所", "なし"});
    view.setComboItems(kFileCombo, {"撮影時分", "ＤＣＦ名", "前のファイル名", "連番", "なし"});
    view.setComboItems(kFilePlaceCombo, {"撮影場所", "なし"});
}

void readTitleOptionsFromControls(const TitleOptionsView& view, TitleOptions& options) {
    for (const RadioGroup& group : kRadioGroups) {
        int value = 0;
        while (value < group.count - 1 && !view.isRadioChecked(group.firstId + value)) {
            ++value;
        }
        options.*group.field = value;
    }
    for (const Combo& combo : kCombos) {
        options.*combo.field = view.comboSelection(combo.id);
    }
}

void showTitleOptions(TitleOptionsView& view, const TitleOptions& options) {
    for (const RadioGroup& group : kRadioGroups) {
        const int value = options.*group.field;
        // A value from a hand-edited file may lie outside the group: then none is checked.
        const int offset = value >= 0 && value < group.count ? value : -1;
        view.checkRadioButton(group.firstId, group.firstId + group.count - 1,
                              group.firstId + offset);
    }
    for (const Combo& combo : kCombos) {
        view.selectComboItem(combo.id, options.*combo.field);
    }
}
