#include "app/start_analysis.h"

#include <chrono>

int startAnalysis(CManageQELFileInfo& catalogue, MessageTarget* window, AnalysisWorker worker) {
    AnalysisJob& job = catalogue.analysisJob;
    if (job.running.exchange(0) == 1) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    if (catalogue.analysisThread.joinable()) {
        catalogue.analysisThread.join();
        if (job.window != nullptr) {
            job.window->discard(&job);
        }
    }
    job.catalogue = &catalogue;
    job.window = window;
    job.progressMessage = UM_EXIF_PROGRESS;
    job.running = 1;
    return StartWorker(catalogue.analysisThread, worker, job);
}
