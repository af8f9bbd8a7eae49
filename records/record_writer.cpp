#include "records/record_writer.h"

#include "platform/error_report.h"
#include "platform/hidden.h"
#include "platform/local_time.h"
#include "platform/make_directories.h"
#include "records/record_paths.h"
#include "records/record_text.h"

#include <atomic>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char kCreateFailed[] = "ＸＭＬファイル作成に失敗しました";

std::string Now() {
    return FormatDateTime(SecondsToLocal(static_cast<std::int64_t>(std::time(nullptr))));
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The record appears under its name only when complete, so a run that is killed, or a reader
// on another thread, never takes half a record for a whole one. The temporary's leading dot
// hides it; its name is short, so any record name that fits the folder fits it too.
// Durability is the copy pass's business, which syncs its files in batches.
bool WriteComplete(const std::string& folder, const std::string& path, const std::string& bytes) {
    static std::atomic<unsigned> counter{0};
    const std::string temporary =
        folder + "/.record-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".tmp";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, bytes);
    if (close(fd) == 0 && written && rename(temporary.c_str(), path.c_str()) == 0) {
        return true;
    }
    unlink(temporary.c_str());
    return false;
}

int WriteRecord(const QELFileInfo& record, const std::string& bytes, HiddenBatch* hidden) {
    const std::string folder = RecordKindDirectoryPath(record);
    const std::string path = RecordFilePath(record);
    MakeDirectories(path);
    // Gone even when the new record cannot be written: a later run must not recognise the new
    // copy by an earlier photo's record.
    unlink(path.c_str());
    if (!WriteComplete(folder, path, bytes)) {
        ReportError(kCreateFailed);
        return -1;
    }
    // A kind directory left visible would show up as a folder when the copies are scanned.
    if (hidden != nullptr) {
        hidden->add(folder);
        hidden->add(path);
    } else {
        AddHidden(folder);
        AddHidden(path);
    }
    return 0;
}

} // namespace

int WritePhotoRecord(const QELFileInfo& record, HiddenBatch* hidden) {
    return WriteRecord(record, PhotoRecordBytes(record, Now()), hidden);
}

int WriteFolderRecord(const QELFileInfo& record, HiddenBatch* hidden) {
    return WriteRecord(record, FolderRecordBytes(record, Now()), hidden);
}
