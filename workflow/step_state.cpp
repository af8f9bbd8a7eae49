#include "workflow/step_state.h"

#include <array>

namespace {

// Which steps each state enables.
constexpr std::array<std::array<bool, kStepCount>, kWorkflowStateCount> kEnabled{{
    {1, 0, 0, 0, 0, 0}, // 0 initial
    {1, 1, 0, 0, 0, 0}, // 1 source chosen
    {0, 0, 0, 0, 0, 0}, // 2 searching
    {1, 1, 1, 0, 0, 0}, // 3 searched
    {0, 0, 0, 0, 0, 0}, // 4 analysing
    {1, 1, 1, 1, 0, 0}, // 5 analysed
    {1, 1, 1, 0, 0, 0}, // 6 titling
    {1, 1, 1, 1, 1, 0}, // 7 titled
    {0, 0, 0, 0, 0, 0}, // 8 destination choosing
    {1, 1, 1, 1, 1, 1}, // 9 destination chosen
    {0, 0, 0, 0, 0, 0}, // 10 copying
}};

struct Faces {
    StepFace face;
    DisabledFace disabled;
};

constexpr Faces T{StepFace::ToDo, DisabledFace::Grey};
constexpr Faces DB{StepFace::Done, DisabledFace::Busy};
constexpr Faces DG{StepFace::Done, DisabledFace::Grey};

struct FaceRow {
    int steps; // how many buttons, from STEP1 on, the state sets faces for
    std::array<Faces, kStepCount> faces;
};

// States 5, 7 and 9 keep every face; state 3 sets only STEP1's.
constexpr std::array<FaceRow, kWorkflowStateCount> kFaces{{
    {6, {T, T, T, T, T, T}},
    {6, {DB, T, T, T, T, T}},
    {6, {T, DB, T, T, T, T}},
    {1, {DB, T, T, T, T, T}},
    {6, {DG, DG, DB, T, T, T}},
    {0, {}},
    {6, {DG, DG, DG, DB, T, T}},
    {0, {}},
    {6, {DG, DG, DG, DG, DB, T}},
    {0, {}},
    {6, {DG, DG, DG, DG, DG, DB}},
}};

// The step each state waits for the user to take, 0 while one runs: when a step ends the next is
// a key press away, and a focus that disabled buttons dropped is given back.
constexpr std::array<int, kWorkflowStateCount> kAwaited{1, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0};

} // namespace

void setStepState(StepButtonsView& view, WorkflowState state) {
    if (const int n = static_cast<int>(state); n >= 0 && n < kWorkflowStateCount) {
        for (int step = 1; step <= kStepCount; ++step) {
            view.setStepEnabled(step, kEnabled[n][step - 1]);
        }
        for (int step = 1; step <= kFaces[n].steps; ++step) {
            const Faces& faces = kFaces[n].faces[step - 1];
            view.setStepFaces(step, faces.face, faces.disabled);
        }
    }
    view.repaintStepButtons();
    if (const int n = static_cast<int>(state);
        n >= 0 && n < kWorkflowStateCount && kAwaited[n] != 0) {
        view.focusStep(kAwaited[n]);
    }
}
