#include "cli/cli_session.h"

#include "catalogue/folder_scan.h"
#include "cli/stop_signal.h"
#include "exif/analysis_pass.h"
#include "geocode/geocode_answer.h"
#include "geocode/geocode_cache.h"
#include "platform/settings_path.h"
#include "titles/assign_titles.h"
#include "titles/title_settings.h"
#include "workflow/start_analysis.h"

#include <cstdio>
#include <memory>

namespace {

const char* GeocodeStoppedReason(int result) {
    switch (result) {
    case kGeocodeUnavailable:
        return "the built-in geocoder cannot load its data; no places are looked up";
    case kGeocodeRefused:
        return "the geocoding service refused the requests (check ApiKey); no more places are "
               "looked up in this run";
    default:
        return "the geocoding service stayed over its query limit; no more places are looked up "
               "in this run";
    }
}

} // namespace

CliSession::CliSession() {
    catalogue_.initCatalogue(&sourceRows_, &resultRows_, "");
}

bool CliSession::configure(const CliOptions& options, std::string& error) {
    TitleOptions& titles = catalogue_.options;
    titles.settingsPath = options.settingsPath.value_or(SettingsFilePath("tessaro"));
    resetTitleOptions(titles);
    loadTitleOptions(titles);
    for (const auto& [key, value] : options.titleOptions) {
        if (!setTitleOption(titles, key, value)) {
            error = "unknown title option " + key;
            return false;
        }
    }
    copying_ = loadCopyOptions(titles.settingsPath);
    if (!options.noGeocode) {
        geocoding_ = loadGeocodingService(titles.settingsPath, options.geocodeUrl.value_or(""));
        geocoding_->cache = std::make_shared<GeocodeCache>(defaultGeocodeCacheFile());
    }
    return true;
}

void CliSession::prepare(const std::string& source) {
    startSearch(catalogue_, source, &window_);
    waitFor([&] { return catalogue_.scanJob->running.load() == 0; });
    catalogue_.scanThread.join();
    window_.dispatch();
    bar_.finish();

    startAnalysis(catalogue_, &window_, ExifAnalysisWorker, geocoding_);
    waitFor([&] { return catalogue_.analysisJob->running.load() == 0; });
    catalogue_.analysisThread.join();
    window_.dispatch();
    bar_.finish();

    assignTitles(catalogue_, nullptr);
}

CopyTally CliSession::copy(const std::string& destination) {
    CopyTally tally;
    const StopOnSignal stop;
    CopyPhotos(catalogue_, destination, &window_, &tally, &stop.requested(), copying_);
    bar_.finish();
    return tally;
}

void CliSession::handle(const WindowMessage& message) {
    const int done = static_cast<int>(message.wParam);
    const int total = static_cast<int>(message.lParam);
    switch (message.id) {
    case UM_SEARCH_PROGRESS:
        if (total == 0) {
            bar_.count("scanning", done);
        }
        break;
    case UM_EXIF_PROGRESS:
        bar_.show("reading", done, total);
        break;
    case UM_COPY_PROGRESS:
        bar_.show("copying", done, total);
        break;
    case UM_GEOCODE_STOPPED:
        bar_.finish();
        std::fprintf(stderr, "tessaro-cli: %s\n", GeocodeStoppedReason(static_cast<int>(done)));
        break;
    default:
        break;
    }
}

void CliSession::waitFor(const std::function<bool()>& done) {
    while (!window_.dispatchUntil(done, 1000)) {
    }
}
