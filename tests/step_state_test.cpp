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
    for (int n = 0; n <= 10; ++n) {
        RecordingView view;
        setStepState(view, n);
        EXPECT_EQ(view.enabledPattern(), kEnabled[n]) << "state " << n;
        EXPECT_EQ(view.repaints, 1) << "state " << n;
        if (kFaces[n] != nullptr) {
            EXPECT_EQ(view.facePattern(), kFaces[n]) << "state " << n;
        }
    }
}

TEST(StepState, statesFiveSevenAndNineKeepEveryFaceOfTheStateBefore) {
    const int pairs[][2] = {{4, 5}, {6, 7}, {8, 9}};
    for (const auto& pair : pairs) {
        RecordingView view;
        setStepState(view, pair[0]);
        const std::string before = view.facePattern();
        setStepState(view, pair[1]);
        EXPECT_EQ(view.facePattern(), before) << "state " << pair[1];
        EXPECT_EQ(view.enabledPattern(), kEnabled[pair[1]]);
        for (const auto& button : view.buttons) {
            EXPECT_EQ(button.faceChanges, 1);
        }
    }
}

TEST(StepState, stateThreeChangesOnlyTheFacesOfStepOne) {
    RecordingView view;
    setStepState(view, 2);
    setStepState(view, 3);
    EXPECT_EQ(view.facePattern(), "DB DB TG TG TG TG");
    EXPECT_EQ(view.enabledPattern(), "111000");
}

TEST(StepState, anUnknownStateOnlyRepaints) {
    for (int n : {-1, 11, 100}) {
        RecordingView view;
        setStepState(view, 9);
        setStepState(view, n);
        EXPECT_EQ(view.enabledPattern(), "111111");
        EXPECT_EQ(view.repaints, 2);
    }
}
