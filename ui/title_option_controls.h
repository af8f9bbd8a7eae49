#pragma once

#include "titles/title_options_view.h"

#include <map>

class wxChoice;
class wxRadioButton;
class wxWindow;

// The title options as the main window's radio buttons and drop-down lists show them.
class TitleOptionControls : public TitleOptionsView {
public:
    void addRadio(int id, wxRadioButton* button) { radios_[id] = button; }
    void addChoice(int id, wxChoice* choice) { choices_[id] = choice; }

    bool isRadioChecked(int id) const override;
    // A GTK radio group always has one button checked: a value outside the group (a hand-edited
    // settings file) checks the group's last button, which reads back as the same value as a
    // group with none checked.
    void checkRadioButton(int firstId, int lastId, int checkId) override;
    void setComboItems(int id, const std::vector<std::string>& items) override;
    int comboSelection(int id) const override;
    void selectComboItem(int id, int index) override;
    void enableControl(int id, bool enabled) override;

private:
    std::map<int, wxRadioButton*> radios_;
    std::map<int, wxChoice*> choices_;
};
