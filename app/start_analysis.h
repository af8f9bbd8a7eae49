#pragma once

#include "catalogue/manage_qel_file_info.h"

// The analysis worker's thread body.
using AnalysisWorker = int (*)(AnalysisJob* job);

// Stops a running analysis (flag, 300 ms, join) and starts `worker` on the catalogue's
// `analysisJob`. Returns 0, or -1 when no thread could be started.
int startAnalysis(CManageQELFileInfo& catalogue, MessageTarget* window, AnalysisWorker worker);
