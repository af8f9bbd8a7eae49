#pragma once

#include "ui/wnd_lb_qel_file.h"

#include <wx/timer.h>

#include <chrono>
#include <string>

// Answers the next input dialog as a user would: waits for it, clicks into its edit box,
// selects everything, types `typed` (pastes it, when it is not ASCII) and clicks `buttonId`. Runs
// from a timer, because the dialog's own modal loop holds the test until it closes.
class InputDialogAnswer : public wxTimer {
public:
    InputDialogAnswer(std::string typed, int buttonId);

    std::string shownText; // what the dialog opened with
    bool answered = false;
    bool gaveUp = false; // the typing never arrived; the dialog was closed without it

private:
    void Notify() override;

    std::string typed_;
    int buttonId_;
    std::chrono::steady_clock::time_point deadline_;
    bool typing_ = false;
};

// Double-clicks a result row and lets `answer` deal with the dialog that opens.
void EditTitle(CWndLbQELFile* list, std::size_t row, InputDialogAnswer& answer);
