#pragma once

#include "titles/title_options_view.h"

#include <map>
#include <set>

// The option controls as plain state, standing in for the main window's.
class FakeTitleOptionsView : public TitleOptionsView {
public:
    bool isRadioChecked(int id) const override { return checked.count(id) > 0; }
    void checkRadioButton(int firstId, int lastId, int checkId) override {
        for (int id = firstId; id <= lastId; ++id) {
            checked.erase(id);
        }
        if (checkId >= firstId && checkId <= lastId) {
            checked.insert(checkId);
        }
    }
    void setComboItems(int id, const std::vector<std::string>& list) override { items[id] = list; }
    int comboSelection(int id) const override {
        const auto found = selections.find(id);
        return found == selections.end() ? -1 : found->second;
    }
    void selectComboItem(int id, int index) override { selections[id] = index; }
    void enableControl(int id, bool on) override { enabled[id] = on; }

    std::set<int> checked;
    std::map<int, int> selections;
    std::map<int, std::vector<std::string>> items;
    std::map<int, bool> enabled;
};
