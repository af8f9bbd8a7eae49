#include "workflow/start_analysis.h"

int startAnalysis(CManageQELFileInfo& catalogue, MessageTarget* window, AnalysisWorker worker,
                  std::optional<GeocodingService> geocoding) {
    stopAnalysis(catalogue);
    AnalysisJob& job = *catalogue.analysisJob;
    job.catalogue = &catalogue;
    job.window = window;
    job.progressMessage = UM_EXIF_PROGRESS;
    job.geocoding = std::move(geocoding);
    job.running = 1;
    return StartWorker(catalogue.analysisThread, worker, job);
}
