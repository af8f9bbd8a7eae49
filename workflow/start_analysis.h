#pragma once

#include "catalogue/manage_qel_file_info.h"

// The analysis worker's thread body.
using AnalysisWorker = int (*)(AnalysisJob* job);

// Stops a running analysis (flag, 300 ms, join) and starts `worker` on the catalogue's
// `analysisJob`, looking places up with `geocoding` when given. Returns 0, or -1 when no thread
// could be started.
int startAnalysis(CManageQELFileInfo& catalogue, MessageTarget* window, AnalysisWorker worker,
                  std::optional<GeocodingService> geocoding = std::nullopt);
