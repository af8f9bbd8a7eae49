#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

// "コピーの結果": shown at the end of a copy that failed somewhere, so that nobody formats a card
// whose import is incomplete. The counts, then every failure with its photo or file and the
// reason, one a line, in a list that scrolls and can be copied from.
class CCopyOutcomeDlg : public wxDialog {
public:
    CCopyOutcomeDlg(wxWindow* parent, const std::string& counts,
                    const std::vector<std::string>& failures);
};

inline constexpr int kIdFailureList = 1060;
