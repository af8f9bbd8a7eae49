#pragma once

// The face pair (normal and pressed) of a step button, and the face it shows while disabled.
enum class StepFace { ToDo, Done };
enum class DisabledFace { Grey, Busy };

inline constexpr int kStepCount = 6;

// The eleven workflow states, by the numbers they have always had.
enum class WorkflowState : int {
    Initial = 0, // after start-up and after a copy
    SourceChosen = 1,
    Searching = 2,
    Searched = 3,
    Analysing = 4,
    Analysed = 5,
    Titling = 6,
    Titled = 7,
    ChoosingDestination = 8,
    DestinationChosen = 9,
    Copying = 10,
};
inline constexpr int kWorkflowStateCount = 11;

// The six step buttons as the workflow sees them; steps are numbered 1 to 6.
class StepButtonsView {
public:
    virtual ~StepButtonsView() = default;
    virtual void setStepEnabled(int step, bool enabled) = 0;
    virtual void setStepFaces(int step, StepFace face, DisabledFace disabledFace) = 0;
    virtual void repaintStepButtons() = 0;
    // Puts the keyboard focus on the button, so that Space presses it.
    virtual void focusStep(int step) = 0;
};

// Applies workflow state n to the buttons, the focus going to the step it waits for; a number
// that is no state only repaints them.
void setStepState(StepButtonsView& view, WorkflowState n);
