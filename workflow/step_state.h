#pragma once

// The face pair (normal and pressed) of a step button, and the face it shows while disabled.
enum class StepFace { ToDo, Done };
enum class DisabledFace { Grey, Busy };

inline constexpr int kStepCount = 6;

// The six step buttons as the workflow sees them; steps are numbered 1 to 6.
class StepButtonsView {
public:
    virtual ~StepButtonsView() = default;
    virtual void setStepEnabled(int step, bool enabled) = 0;
    virtual void setStepFaces(int step, StepFace face, DisabledFace disabledFace) = 0;
    virtual void repaintStepButtons() = 0;
};

// Applies workflow state n (0 to 10) to the buttons; any other n only repaints them.
void setStepState(StepButtonsView& view, int n);
