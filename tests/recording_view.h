#pragma once

#include "tests/fake_title_options_view.h"
#include "workflow/workflow_view.h"

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// A main window without a window: remembers what the workflow showed, and answers the folder
// chooser from a list of prepared answers.
struct RecordingView : WorkflowView {
    struct Button {
        bool enabled = false;
        StepFace face = StepFace::ToDo;
        DisabledFace disabled = DisabledFace::Grey;
        int faceChanges = 0;
    };
    std::array<Button, kStepCount> buttons;
    int repaints = 0;
    std::vector<int> focusedSteps;
    std::deque<std::optional<std::string>> chooserAnswers;
    std::vector<std::string> chooserInitialFolders;
    std::vector<std::string> chooserTitles;
    std::string sourceFolder;
    std::string sourceNote;
    std::string destinationFolder;
    int rangeLow = 0;
    int rangeHigh = 0;
    int rangeChanges = 0;
    int position = -1;
    std::vector<std::string> counterTexts;
    std::vector<const QELFileInfo*> previews;
    int imageViewShown = 0;
    std::vector<bool> cursorChanges;
    FakeTitleOptionsView titleOptions;
    std::vector<bool> serviceAnswers;
    std::vector<bool> builtinAnswers;
    std::vector<std::string> notices;
    std::vector<std::string> messages;
    std::vector<bool> copyingChanges;
    std::vector<std::string> copyNotes;
    std::vector<std::vector<std::string>> copyFailures; // the counts first, then each failure

    void setStepEnabled(int step, bool enabled) override { buttons.at(step - 1).enabled = enabled; }
    void setStepFaces(int step, StepFace face, DisabledFace disabled) override {
        Button& b = buttons.at(step - 1);
        b.face = face;
        b.disabled = disabled;
        ++b.faceChanges;
    }
    void repaintStepButtons() override { ++repaints; }
    void focusStep(int step) override { focusedSteps.push_back(step); }
    std::optional<std::string> browseFolder(const std::string& initial,
                                            const std::string& title) override {
        chooserInitialFolders.push_back(initial);
        chooserTitles.push_back(title);
        if (chooserAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = chooserAnswers.front();
        chooserAnswers.pop_front();
        return answer;
    }
    std::string sourceFolderText() const override { return sourceFolder; }
    void setSourceFolderText(const std::string& text) override {
        sourceFolder = text;
        sourceNote.clear();
    }
    void showSourceNote(const std::string& note) override { sourceNote = note; }
    std::string destinationFolderText() const override { return destinationFolder; }
    void setDestinationFolderText(const std::string& text) override { destinationFolder = text; }
    void setProgressRange(int low, int high) override {
        rangeLow = low;
        rangeHigh = high;
        ++rangeChanges;
    }
    void setProgressPosition(int p) override { position = p; }
    void setCounterText(const std::string& text) override { counterTexts.push_back(text); }
    void showThumbnailPreview(const QELFileInfo* record) override { previews.push_back(record); }
    void showImageView() override { ++imageViewShown; }
    void setWaitCursor(bool waiting) override { cursorChanges.push_back(waiting); }
    TitleOptionsView& titleOptionsView() override { return titleOptions; }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void setCopying(bool copying) override { copyingChanges.push_back(copying); }
    void showCopyNote(const std::string& counts, const std::string& destination) override {
        copyNotes.push_back(counts + " → " + destination);
    }
    void showCopyFailures(const std::string& counts,
                          const std::vector<std::string>& failures) override {
        copyFailures.push_back({counts});
        copyFailures.back().insert(copyFailures.back().end(), failures.begin(), failures.end());
    }
    void showServiceAnswer(bool answered, bool builtin) override {
        serviceAnswers.push_back(answered);
        builtinAnswers.push_back(builtin);
    }
    void showNotice(const std::string& text) override { notices.push_back(text); }

    std::string enabledPattern() const {
        std::string pattern;
        for (const Button& b : buttons) {
            pattern += b.enabled ? '1' : '0';
        }
        return pattern;
    }
    // One letter pair per button: T/D for the face, then G/B for the disabled face.
    std::string facePattern() const {
        std::string pattern;
        for (const Button& b : buttons) {
            pattern += b.face == StepFace::ToDo ? 'T' : 'D';
            pattern += b.disabled == DisabledFace::Grey ? 'G' : 'B';
            pattern += ' ';
        }
        pattern.pop_back();
        return pattern;
    }
};
