#include "ui/title_option_controls.h"

#include <wx/choice.h>
#include <wx/radiobut.h>

bool TitleOptionControls::isRadioChecked(int id) const {
    const auto found = radios_.find(id);
    return found != radios_.end() && found->second->GetValue();
}

void TitleOptionControls::checkRadioButton(int firstId, int lastId, int checkId) {
    const int shown = checkId >= firstId && checkId <= lastId ? checkId : lastId;
    const auto found = radios_.find(shown);
    if (found != radios_.end()) {
        found->second->SetValue(true);
    }
}

void TitleOptionControls::setComboItems(int id, const std::vector<std::string>& items) {
    const auto found = choices_.find(id);
    if (found == choices_.end()) {
        return;
    }
    found->second->Clear();
    for (const std::string& item : items) {
        found->second->Append(wxString::FromUTF8(item));
    }
}

int TitleOptionControls::comboSelection(int id) const {
    const auto found = choices_.find(id);
    return found == choices_.end() ? -1 : found->second->GetSelection();
}

void TitleOptionControls::selectComboItem(int id, int index) {
    const auto found = choices_.find(id);
    if (found == choices_.end()) {
        return;
    }
    const bool inList = index >= 0 && static_cast<unsigned>(index) < found->second->GetCount();
    found->second->SetSelection(inList ? index : wxNOT_FOUND);
}

void TitleOptionControls::enableControl(int id, bool enabled) {
    const auto found = choices_.find(id);
    if (found != choices_.end()) {
        found->second->Enable(enabled);
    }
}
