#include "exif/analysis_pass.h"

#include "catalogue/manage_qel_file_info.h"
#include "exif/dcf_name.h"
#include "exif/exif_analize.h"
#include "geocode/geocode_answer.h"
#include "geocode/reverse_geocode.h"
#include "platform/local_time.h"
#include "records/record_paths.h"
#include "records/record_reader.h"

#include <chrono>
#include <ctime>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <thread>

namespace {

constexpr int kOpenAttempts = 10;
constexpr auto kOpenRetryWait = std::chrono::milliseconds(100);
constexpr int kGeocodeCalls = 10;
constexpr auto kGeocodeRetryWait = std::chrono::milliseconds(200);

// The values the pass starts from. The lists start empty, so that a second pass over the same
// catalogue gives what the first gave instead of adding the places and the history again.
QELFileInfo WorkCopy(const QELFileInfo& entry) {
    QELFileInfo work;
    work.isFolder = entry.isFolder;
    work.level = entry.level;
    work.path = entry.path;
    work.name = entry.name;
    work.title = entry.title;
    static_cast<PhotoData&>(work) = entry;
    work.shortAddresses.clear();
    work.beforeNames.clear();
    work.beforeNameTimes.clear();
    return work;
}

void Publish(QELFileInfo& entry, QELFileInfo&& work, std::mutex* mutex) {
    std::unique_lock<std::mutex> hold;
    if (mutex != nullptr) {
        hold = std::unique_lock<std::mutex>(*mutex);
    }
    static_cast<PhotoData&>(entry) = std::move(static_cast<PhotoData&>(work));
}

bool Running(const AnalysisJob& job) {
    return job.running.load() == 1;
}

// Once the service has refused us, or stayed over its limit through all the calls of a photo, or
// the built-in geocoder cannot load its data, asking again in this pass only costs time (and, with
// a billed service, money): the pass stops asking and tells the window once.
struct GeocodeRun {
    bool stopped = false;
};

bool StopsThePass(int result) {
    return result == kGeocodeRefused || result == kGeocodeOverQueryLimit ||
           result == kGeocodeUnavailable;
}

// While the service refuses for the moment, it is asked again a little later; a stop breaks a
// request off and ends the waiting. A photo whose places cannot be had keeps those it had
// (`earlier`), so that a pass without the service loses none.
void Geocode(QELFileInfo& photo, const std::vector<std::string>& earlier, const AnalysisJob& job,
             GeocodeRun& run) {
    if (!job.geocoding || photo.latitude == 0.0 || photo.longitude == 0.0) {
        return;
    }
    const auto keepGoing = [&job] { return Running(job); };
    int result = kGeocodeFailed;
    for (int call = 1; call <= kGeocodeCalls && !run.stopped && Running(job); ++call) {
        result = reverseGeocode(*job.geocoding, photo.latitude, photo.longitude,
                                photo.shortAddresses, keepGoing);
        if (result != kGeocodeOverQueryLimit) {
            break;
        }
        std::this_thread::sleep_for(kGeocodeRetryWait);
    }
    if (result == kGeocodeOk) {
        return;
    }
    photo.shortAddresses = earlier;
    if (!run.stopped && StopsThePass(result)) {
        run.stopped = true;
        job.window->post({job.geocodeStoppedMessage, static_cast<WParam>(result), 0, &job});
    }
}

void TakeModificationTime(QELFileInfo& photo, const std::optional<std::int64_t>& modified) {
    if (modified) {
        photo.shootTime = *modified;
        photo.fileDateTimeText = FormatDateTime(SecondsToLocal(photo.shootTime));
    }
    photo.exifStatus = kExifStatusFileTime;
}

// One look at the photo file serves the copy pass, which refuses a photo changed since, the
// record check and the fallback time. A file that cannot be looked at is left unmeasured.
std::optional<std::int64_t> MeasurePhoto(QELFileInfo& photo) {
    photo.analysedSize = kNotMeasured;
    photo.analysedModifiedNs = 0;
    struct stat status {};
    if (stat(photo.path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    MeasureFile(photo, status);
    return status.st_mtim.tv_sec;
}

// A file that cannot be opened may be held by another program for a moment: try again.
std::optional<std::int64_t> ReadExifTime(CExifAnalize& reader, const std::string& path,
                                         const AnalysisJob& job) {
    for (int attempt = 1; attempt <= kOpenAttempts && Running(job); ++attempt) {
        const int result = reader.LoadExif(path);
        std::int64_t time = 0;
        if (result == 0) {
            return reader.GetDateTimeOriginal(time) == 1 ? std::optional(time) : std::nullopt;
        }
        if (result == -2) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(kOpenRetryWait);
    }
    return std::nullopt;
}

void TakeExif(QELFileInfo& photo, std::int64_t time, const std::vector<std::string>& earlierPlaces,
              const CExifAnalize& reader, const AnalysisJob& job, GeocodeRun& run) {
    photo.shootTime = time;
    photo.dateTimeOriginalText = FormatDateTime(SecondsToLocal(time));
    reader.GetGpsLatitude(photo.latitude);
    reader.GetGpsLongitude(photo.longitude);
    Geocode(photo, earlierPlaces, job, run);
    photo.exifStatus = kExifStatusExifTime;
}

int PresentYear() {
    return SecondsToLocal(static_cast<std::int64_t>(std::time(nullptr))).year;
}

// A record is taken only when it describes the file beside it: one swapped, renamed or replaced
// since the copy would otherwise be filed under another photo's date. A photo whose record does
// not describe it is read as if it had none, and its record's name history is not taken.
void AnalysePhoto(QELFileInfo& work, const std::string& recordPath,
                  const std::vector<std::string>& earlierPlaces, CExifAnalize& reader,
                  const AnalysisJob& job, GeocodeRun& run) {
    const std::optional<std::int64_t> modified = MeasurePhoto(work);
    const std::optional<std::int64_t> exifTime = ReadExifTime(reader, work.path, job);
    const PhotoFacts facts{work.name, modified, exifTime, PresentYear()};
    if (ReadPhotoRecord(work, recordPath, facts) != RecordCheck::kDescribesPhoto) {
        if (exifTime) {
            TakeExif(work, *exifTime, earlierPlaces, reader, job, run);
        } else {
            TakeModificationTime(work, modified);
        }
    }
    reader.m_entries.clear();
    assignDcfName(work);
}

void AnalyseEntry(QELFileInfo& work, const QELFileInfo& entry, CExifAnalize& reader,
                  const AnalysisJob& job, GeocodeRun& run) {
    const std::string recordPath = RecordFilePath(entry);
    if (work.isFolder) {
        ReadFolderRecord(work, recordPath);
        return;
    }
    AnalysePhoto(work, recordPath, entry.shortAddresses, reader, job, run);
}

} // namespace

int ExifAnalysisWorker(AnalysisJob* job) {
    CManageQELFileInfo& catalogue = *job->catalogue;
    ListView* rows = catalogue.sourceList;
    const std::size_t total = rows != nullptr ? rows->RowCount() : 0;
    CExifAnalize reader;
    GeocodeRun run;
    for (std::size_t i = 0; i < total && job->running.load() == 1 && rows->RowCount() > i; ++i) {
        QELFileInfo* entry = rows->RowRecord(i);
        if (entry == nullptr) {
            break;
        }
        QELFileInfo work = WorkCopy(*entry);
        AnalyseEntry(work, *entry, reader, *job, run);
        // A photo that hung past a stop is left as it was: the worker may have been left behind.
        if (!Running(*job)) {
            break;
        }
        Publish(*entry, std::move(work), catalogue.mutex);
        if (!entry->isFolder) {
            rows->Invalidate();
        }
        job->window->post(
            {job->progressMessage, static_cast<WParam>(i + 1), static_cast<LParam>(total), job});
    }
    job->running = 0;
    return 0;
}
