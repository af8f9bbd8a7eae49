#include "records/record_writer.h"

#include "platform/error_report.h"
#include "platform/error_text.h"
#include "platform/file_contents.h"
#include "platform/hidden.h"
#include "platform/local_time.h"
#include "platform/make_directories.h"
#include "records/record_lines.h"
#include "records/record_paths.h"
#include "records/record_text.h"

#include <cerrno>
#include <ctime>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kCreateFailed[] = "ＸＭＬファイル作成に失敗しました";

std::string Now() {
    return FormatDateTime(SecondsToLocal(static_cast<std::int64_t>(std::time(nullptr))));
}

using RecordBytes = std::function<std::string(const std::string& writtenAt)>;

// True when the record at `path` says exactly what would be written, had it been written when it
// was: a card sorted a second time then leaves the library as it is, times included.
bool AlreadyRecorded(const PathAt& path, const RecordBytes& bytesAt, std::string_view timeElement) {
    const ParentAt parent(path);
    const PathAt leaf = parent.leaf();
    struct stat status {};
    if (!parent.ok() || fstatat(leaf.base, leaf.path.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(status.st_mode) || static_cast<std::size_t>(status.st_size) > kMaxRecordBytes) {
        return false;
    }
    const std::optional<std::string> existing = ReadWholeFile(path);
    // The time is ASCII, and a CP932 trail byte is never '<', so the raw bytes can be searched.
    return existing && existing->size() <= kMaxRecordBytes &&
           *existing == bytesAt(FindElement(timeElement, *existing));
}

void Hide(const PathAt& folder, const PathAt& path, HiddenBatch* hidden) {
    if (hidden != nullptr) {
        hidden->add(folder.path);
        hidden->add(path.path);
    } else {
        AddHidden(folder);
        AddHidden(path);
    }
}

int WriteRecord(const QELFileInfo& record, const RecordBytes& bytesAt, std::string_view timeElement,
                HiddenBatch* hidden, const DestinationRoot& root) {
    const PathAt folder = root.at(RecordKindDirectoryPath(record));
    const std::string path = RecordFilePath(record);
    const PathAt at = root.at(path);
    if (AlreadyRecorded(at, bytesAt, timeElement)) {
        Hide(folder, at, hidden);
        return 0;
    }
    const std::string bytes = bytesAt(Now());
    MakeDirectories(at);
    // Gone even when the new record cannot be written: a later run must not recognise the new
    // copy by an earlier photo's record.
    RemoveFileAt(at);
    // Complete under its name or not there: a killed run never leaves half a record. Durability
    // is the copy pass's business, which syncs its files at the end.
    if (!ReplaceFileAtomically(at, bytes, Durability::CallerSyncs, LinkAtPath::Replaced)) {
        ReportError(std::string(kCreateFailed) + ": " + path + ": " + ErrorText(errno));
        return -1;
    }
    // A kind directory left visible would show up as a folder when the copies are scanned.
    Hide(folder, at, hidden);
    return 0;
}

} // namespace

int WritePhotoRecord(const QELFileInfo& record, HiddenBatch* hidden, const DestinationRoot& root) {
    return WriteRecord(
        record, [&](const std::string& at) { return PhotoRecordBytes(record, at); },
        "DateTimeTransTitleFileName", hidden, root);
}

int WriteFolderRecord(const QELFileInfo& record, HiddenBatch* hidden, const DestinationRoot& root) {
    return WriteRecord(
        record, [&](const std::string& at) { return FolderRecordBytes(record, at); },
        "DateTimePairTitleFolderNamegot", hidden, root);
}
