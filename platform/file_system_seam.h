#pragma once

#include "platform/path_at.h"

#include <cstddef>
#include <cstdint>
#include <dirent.h>
#include <functional>
#include <string>
#include <sys/types.h>

// The calls through which copies and records meet the file system they are written to, at the
// points where the file systems of photo libraries differ: vfat and exFAT take "A.JPG" and
// "a.JPG" for one name, FUSE mounts may offer neither a rename that refuses to replace nor hard
// links, and network file systems report a full disk or quota only at close or at sync.
//
// Tests make these calls behave as such a file system does: in the process through
// SetFileSystemQuirks, in a program they start through the environment variable
// TESSARO_TEST_FILESYSTEM, read once, a comma-separated list of the following (a file written
// below a destination the copy pass holds goes by its path relative to that destination)
//   casefold           names differing only in ASCII case are one name
//   fuse               renameat2 with RENAME_NOREPLACE fails with EINVAL, link with EPERM
//   close-fails=TEXT   closing a written file on its way to a path holding TEXT fails with EIO
//   syncfs-fails       syncing the file system fails with EIO
//   reads-differ=TEXT  a copy at a path holding TEXT reads back with its first byte changed, as
//                      from a reader or a cable that wrote other bytes than it was given
//   interrupt-at=TEXT  before the first written file on its way to a path holding TEXT is
//                      closed, the process gets SIGINT, as from a Ctrl-C in the middle of that copy
//   unreadable=TEXT    opening a folder whose path holds TEXT for listing fails with EACCES, as
//                      a folder of another user's or a failing card's does
//   listing-fails=TEXT the listing of a folder whose path holds TEXT fails with EIO after its
//                      first entry, as a failing card's may part way
//   destination-gone-after=N   once the copy pass is done with N photos, its destination is
//                      removed with all it holds (links removed, not followed), as by `rm -rf`
//   destination-moved-after=N  once the copy pass is done with N photos, its destination is
//                      renamed to DEST.moved and an empty folder made at its path, as when the
//                      disk is unmounted lazily and the bare mount point shows
struct FileSystemQuirks {
    bool caseInsensitive = false;
    bool fuse = false;
    std::string closeFailsFor;
    bool syncFails = false;
    std::string readsDifferFor;
    std::string unreadableFor;
    std::string listingFailsFor;
    int destinationGoneAfter = -1;  // of destination-gone-after; -1 for never
    int destinationMovedAfter = -1; // of destination-moved-after; -1 for never
    // Called before a written file on its way to the path it is given is closed, on the thread
    // that writes it: a test holds the copy there, as a card reader or a share that writes
    // through would, for as long as it wants.
    std::function<void(const std::string& destination)> beforeClose;
};

void SetFileSystemQuirks(const FileSystemQuirks& quirks);

// Whether something already bears the name `path`: a file, a folder or a dangling link.
bool NameTaken(const PathAt& path);

// Opens read-only, without blocking, the file that bears the name `path`; -1 with errno set.
int OpenTakenName(const PathAt& path);

// renameat2 with RENAME_NOREPLACE, linkat and renameat: 0, or -1 with errno set. The paths are
// taken as the calls take them: each component of a path before its last is followed.
int RenameNoReplace(const PathAt& from, const PathAt& to);
int HardLink(const PathAt& from, const PathAt& to);
int RenameReplacing(const PathAt& from, const PathAt& to);

// Closes a descriptor that a file on its way to `destination` was written through: 0, or -1
// with errno set, when the file system reports only now that the bytes could not be kept.
int CloseWritten(int fd, const std::string& destination);

// Opens `folder` for listing, as opendir: nullptr with errno set when it cannot be.
// `failsPartWay` says whether the listing is to fail with EIO after its first entry.
DIR* OpenListing(const std::string& folder, bool& failsPartWay);

// syncfs of the file system `fd` lies on: 0, or -1 with errno set.
int SyncFileSystem(int fd);

// One pread of the copy `copy`, read back to check it: the bytes read, or -1 with errno set.
ssize_t ReadCopyBack(int fd, const std::string& copy, std::uint64_t offset, std::uint8_t* into,
                     std::size_t count);

// The copy pass is done with `photosDone` photos of its run into `destination`: where a test
// asks for it, the destination goes now.
void PhotoDoneInto(const std::string& destination, int photosDone);
