#include "workflow/analysed_photos.h"

#include "catalogue/qel_file_info.h"

#include <algorithm>

void AnalysedPhotos::count(const ListView* rows) {
    photosBefore_.assign(1, 0);
    const std::size_t n = rows != nullptr ? rows->RowCount() : 0;
    for (std::size_t i = 0; i < n; ++i) {
        const QELFileInfo* record = rows->RowRecord(i);
        const bool photo = record != nullptr && record->isFolder == 0;
        photosBefore_.push_back(photosBefore_.back() + (photo ? 1 : 0));
    }
}

int AnalysedPhotos::done(std::size_t rowsDone) const {
    return photosBefore_[std::min(rowsDone, photosBefore_.size() - 1)];
}
