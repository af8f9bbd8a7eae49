#pragma once

#include "platform/destination_root.h"
#include "platform/read_back.h"
#include "platform/safe_copy.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Reads the copies of a pass back from the device before they count: a flaky card reader, cable
// or USB disk can write other bytes than it was given. The copies are checked in batches, each
// after one sync of the destination's file system, while their sources' pages are still in
// memory from the copy, so that a card is read once. A batch is read back on threads of its own
// while the pass copies and syncs the next; what they found is acted on by the pass's thread.
class CopyVerifier {
public:
    // `sync` watches the destination's file system; the copies lie below `root` and are read
    // through it. When `on` is false, copies count as they are written, and finish() syncs and
    // looks only whether each still lies at its place.
    CopyVerifier(FileSystemSync& sync, bool on, const DestinationRoot& root);
    ~CopyVerifier();
    CopyVerifier(const CopyVerifier&) = delete;
    CopyVerifier& operator=(const CopyVerifier&) = delete;

    // A file this pass has just copied from `source` to `copy`. Should it read back other bytes,
    // or fail to read back, or be gone from its place, the copy is removed, the failure reported,
    // and `undo` takes back what else the pass made and counted for it.
    void add(const std::string& source, const std::string& copy, std::function<void()> undo);
    // Between photos: checks the copies that wait once there are enough of them.
    void checkWhenDue();
    // The end of the pass: syncs and checks every copy that waits, and syncs the removal of
    // those that differed. False, with errno set, when any sync of the pass failed; those copies
    // are not known to be on disk, and the ones the failed sync was for are not checked.
    bool finish();

private:
    struct Pending {
        std::string source;
        std::string copy;
        std::function<void()> undo;
        ReadBackResult result = ReadBackResult::Equal;
        int error = 0;
    };
    bool sync();
    void check();
    void handOver();
    void takeBack();
    void read(CopyReadBack& readBack);
    bool readOne(CopyReadBack& readBack, std::unique_lock<std::mutex>& lock);
    void act(const Pending& pending);
    void lookForUnread();

    FileSystemSync& sync_;
    const bool on_;
    const DestinationRoot& root_;
    std::vector<Pending> notReadBack_; // when not read back: to look for at the end
    std::vector<Pending> pending_;     // the pass's thread's
    std::uint64_t pendingBytes_ = 0;
    int syncError_ = 0;    // of the first sync that failed
    bool removed_ = false; // copies removed since the last sync
    bool handedOver_ = false;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Pending> reading_; // the batch handed over; an entry is its reader's once claimed
    std::size_t next_ = 0;         // under mutex_: the first entry no reader has claimed
    std::size_t unread_ = 0;       // under mutex_
    bool ending_ = false;          // under mutex_
    CopyReadBack readBack_;        // the pass's thread's, where no reader could be started
    std::vector<std::thread> readers_;
};
