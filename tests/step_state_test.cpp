#include "tests/recording_view.h"
#include "workflow/step_state.h"

#include <gtest/gtest.h>

namespace {

const char* const kEnabled[] = {"100000", "110000", "000000", "111000", "000000", "111100",
                                "111000", "111110", "000000", "111111", "000000"};

// Faces of the states that set all six; the others keep what the state before them set.
const char* const kFaces[] = {"TG TG TG TG TG TG", "DB TG TG TG TG TG",
                              "TG DB TG TG TG TG", nullptr,
                              "DG DG DB TG TG TG", nullptr,
                              "DG DG DG DB TG TG", nullptr,
                              "DG DG DG DG DB TG", nullptr,
                              "DG DG DG DG DG DB"};

} // namespace

TEST(StepState, everyStateEnablesItsStepsAndSetsItsFaces) {
    for (int n = 0; n < kWorkflowStateCount; ++n) {
        RecordingView view;
        setStepState(view, WorkflowState{n});
        EXPECT_EQ(view.enabledPattern(), kEnabled[n]) << "state " << n;
        EXPECT_EQ(view.repaints, 1) << "state " << n;
        if (kFaces[n] != nullptr) {
            EXPECT_EQ(view.facePattern(), kFaces[n]) << "state " << n;
        }
    }
}

TEST(StepState, statesFiveSevenAndNineKeepEveryFaceOfTheStateBefore) {
    using enum WorkflowState;
    const WorkflowState pairs[][2] = {
        {Analysing, Analysed}, {Titling, Titled}, {ChoosingDestination, DestinationChosen}};
    for (const auto& [before, after] : pairs) {
        RecordingView view;
        setStepState(view, before);
        const std::string faces = view.facePattern();
        setStepState(view, after);
        const int n = static_cast<int>(after);
        EXPECT_EQ(view.facePattern(), faces) << "state " << n;
        EXPECT_EQ(view.enabledPattern(), kEnabled[n]);
        for (const auto& button : view.buttons) {
            EXPECT_EQ(button.faceChanges, 1);
        }
    }
}

TEST(StepState, stateThreeChangesOnlyTheFacesOfStepOne) {
    RecordingView view;
    setStepState(view, WorkflowState::Searching);
    setStepState(view, WorkflowState::Searched);
    EXPECT_EQ(view.facePattern(), "DB DB TG TG TG TG");
    EXPECT_EQ(view.enabledPattern(), "111000");
}

TEST(StepState, anUnknownStateOnlyRepaints) {
    for (int n : {-1, 11, 100}) {
        RecordingView view;
        setStepState(view, WorkflowState::DestinationChosen);
        setStepState(view, WorkflowState{n});
        EXPECT_EQ(view.enabledPattern(), "111111");
        EXPECT_EQ(view.repaints, 2);
    }
}

TEST(StepState, aStateThatWaitsForTheUserFocusesTheLastStepItEnablesAndARunningOneNone) {
    for (int n = 0; n < kWorkflowStateCount; ++n) {
        RecordingView view;
        setStepState(view, WorkflowState{n});
        // States 2, 4, 6, 8 and 10 are applied while a step runs.
        const bool running = n % 2 == 0 && n != 0;
        const std::size_t last = std::string(kEnabled[n]).rfind('1');
        const std::vector<int> focused =
            running ? std::vector<int>{} : std::vector<int>{static_cast<int>(last) + 1};
        EXPECT_EQ(view.focusedSteps, focused) << "state " << n;
    }
}
