#include "records/record_writer.h"

#include "platform/error_report.h"
#include "platform/file_contents.h"
#include "platform/hidden.h"
#include "platform/local_time.h"
#include "platform/make_directories.h"
#include "records/record_paths.h"
#include "records/record_text.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

constexpr char kCreateFailed[] = "ＸＭＬファイル作成に失敗しました";

std::string Now() {
    return FormatDateTime(SecondsToLocal(static_cast<std::int64_t>(std::time(nullptr))));
}

int WriteRecord(const QELFileInfo& record, const std::string& bytes, HiddenBatch* hidden) {
    const std::string folder = RecordKindDirectoryPath(record);
    const std::string path = RecordFilePath(record);
    MakeDirectories(path);
    // Gone even when the new record cannot be written: a later run must not recognise the new
    // copy by an earlier photo's record.
    unlink(path.c_str());
    // Complete under its name or not there: a killed run never leaves half a record. Durability
    // is the copy pass's business, which syncs its files at the end.
    if (!ReplaceFileAtomically(path, bytes, Durability::CallerSyncs)) {
        ReportError(std::string(kCreateFailed) + ": " + path + ": " + std::strerror(errno));
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
