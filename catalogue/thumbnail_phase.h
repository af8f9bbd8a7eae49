#pragma once

#include "catalogue/list_view.h"
#include "catalogue/manage_qel_file_info.h"

#include <atomic>
#include <functional>

// Makes the thumbnail of every photo among the rows `rows` holds when it starts, into `box`, on
// `threads` threads of its own, and hands each photo's record to `announce` on the calling
// thread in row order as soon as that photo is done (made or failed); the threads meanwhile go
// on with the next photos. Rows from the first that no longer exists on are left out.
//
// Once `running` reads other than 1 no photo is begun and none is announced; it returns when
// every thread it started has been joined, so within one photo's time. It takes no lock of its
// own around `maker`, which must be safe to call for different records at once. Should no thread
// start, the calling thread makes the thumbnails itself.
void MakeThumbnailsInRowOrder(const ListView& rows, ThumbnailMaker maker, const ImageBox& box,
                              const std::atomic<int>& running, unsigned threads,
                              const std::function<void(QELFileInfo*)>& announce);

// One thread per core, at most 8: more only wait for the disk.
unsigned ThumbnailThreads();
