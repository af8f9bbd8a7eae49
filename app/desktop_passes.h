#pragma once

#include "app/step_workflow.h"

class CTessaroDlg;

// The passes behind the desktop program's step buttons and its start-up probe, for `window`.
// A pass that does not exist yet stays empty: the workflow goes on without it.
WorkflowPasses DesktopPasses(CTessaroDlg& window);
