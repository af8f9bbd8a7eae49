#include "app/desktop_passes.h"

WorkflowPasses DesktopPasses(CTessaroDlg&) {
    // The analysis worker, the copy pass and the service probe are wired here as they come.
    return {};
}
