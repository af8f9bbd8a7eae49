#pragma once

#include "catalogue/manage_qel_file_info.h"
#include "platform/message_target.h"
#include "records/copy_options.h"

#include <atomic>
#include <string>

// What became of the photos of one copy pass.
struct CopyTally {
    int copied = 0;  // copied by this pass, with their records
    int renamed = 0; // of those, copied under a numbered name: a different file bore the title
    int skipped = 0; // already there, byte for byte; where their titles put them, with records anew
    int failed = 0;  // not copied, without a record, or not known to have reached the disk
    int otherFailures = 0; // title folders, their records or `.hidden` lists not written
    int stopped = 0;       // not copied because the pass was stopped before them
    int fileDated = 0;     // of the photos in place, those dated by their file time (no EXIF date)
    int elsewhere = 0; // of the skipped, those under another name or in another folder, left there
    // The files that travel with the photos (RAW, voice memo, sidecar, Live Photo video).
    int companionsCopied = 0;
    int companionsSkipped = 0; // already beside their photo, byte for byte
    int companionsFailed = 0;

    bool allDone() const {
        return failed == 0 && otherFailures == 0 && stopped == 0 && companionsFailed == 0;
    }
};

// Makes the result tree real below `destination` (ending in '/'): the title folders, a copy of
// every photo and a record file beside every entry, in hidden kind directories; each entry's
// `path` and `title` then name its place there. A photo never replaces a file and a record
// never describes a file that is not its photo: where a different file bears the title, the
// photo is copied under the first free numbered name instead. A photo's companions are copied
// beside it under its stem, the group under the first numbered name that none of its names
// rules out. A photo whose bytes already lie anywhere in the destination, whatever its folders
// and its name are called there now, is not copied again: its entry names where it lies, and
// only its missing companions are copied beside it there. Title folders are made only for the
// photos that go into them, and only once the photo is open for its copy: a photo that cannot
// be read, or whose size or modification time is no longer what the analysis pass found, fails
// without leaving a folder. The destination is opened once at the start and written through
// that folder only, never made anew and never left through a symbolic link; should it be
// removed, renamed or unmounted meanwhile, the pass says so once and fails every photo after,
// and a copy that no longer lies where it was put counts failed. Every failure is reported with
// the photo, record or file it is about, and no failure stops the pass. Once `stop` turns true it
// ends after the entry at hand, which is finished with its record, and reports each photo it did
// not reach. Sends UM_COPY_PROGRESS after every photo with the photos done and the photos in all.
// Everything is on disk when it returns, and unless `options` say otherwise every copy has been
// read back from it and found equal to its source; one that was not is removed (a photo with its
// record), reported and counted failed, and its entry keeps its source. Runs on the UI thread or on
// a thread of its own, while nothing else changes the result tree; the new titles and paths are put
// in place under the entries' mutex, under which the lists draw. Returns 0.
int CopyPhotos(CManageQELFileInfo& catalogue, const std::string& destination, MessageTarget* window,
               CopyTally* tally = nullptr, const std::atomic<bool>* stop = nullptr,
               const CopyOptions& options = {});
