#pragma once

#include "catalogue/worker_jobs.h"

// The body of the STEP3 worker thread: walks the source list in its order and gives each photo
// its shooting time, position, places, EXIF status and DCF name — from the photo's record file
// when an earlier copy left one that still describes the photo (CheckPhotoRecord), else from its
// EXIF data, else from its modification time — and the size and modification time it was found
// with, and each folder its recorded name history. Posts the job's progress message after every
// entry, clears `running` at the end and returns 0. A photo whose places cannot be had keeps those
// it had; once the geocoding service refuses (or the built-in geocoder has no data), the pass asks
// it nothing more and posts the job's geocode-stopped message, once.
//
// Each entry is worked on in a copy and its new values are put in place under the catalogue's
// mutex, under which the lists draw, so a row is never drawn from a half-replaced value; the
// slow parts (file reads, geocoding) hold no lock.
int ExifAnalysisWorker(AnalysisJob* job);
