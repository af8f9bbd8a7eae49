#pragma once

#include "workflow/workflow_view.h"

#include <wx/dialog.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// "コピーの結果": shown at the end of a copy that failed somewhere or left files on the card, so
// that nobody formats a card whose import is incomplete. The counts, then every failure with its
// photo or file and the reason and every file left on the card, one a line, in a list that wraps
// its lines, scrolls and can be copied from; "保存…" writes the counts and the list to a text file.
class CCopyOutcomeDlg : public wxDialog {
public:
    CCopyOutcomeDlg(wxWindow* parent, CopyOutcomeKind kind, const std::string& counts,
                    const std::vector<std::string>& lines);

    // Where "保存…" writes, or nothing when the user cancelled; a file dialog unless a test puts
    // its own answer in.
    using SaveFileChooser = std::function<std::optional<std::string>()>;
    void setSaveFileChooser(SaveFileChooser chooser) { chooseFile_ = std::move(chooser); }

private:
    void onSave(wxCommandEvent& event);

    std::string text_; // as saved: the counts, then one failure a line, in UTF-8
    SaveFileChooser chooseFile_;
};

inline constexpr int kIdFailureList = 1060;
inline constexpr int kIdOutcomeCounts = 1061;
inline constexpr int kIdSaveOutcome = 1062;
