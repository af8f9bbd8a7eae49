#pragma once

#include "catalogue/list_view.h"

#include <cstddef>
#include <vector>

// The analysis reports the source rows it has done, folders included; the counter tells photos.
// Taken from the source list when an analysis starts: the tree does not change while it runs.
class AnalysedPhotos {
public:
    void count(const ListView* rows);
    int total() const { return photosBefore_.back(); }
    // The photos among the first `rowsDone` rows.
    int done(std::size_t rowsDone) const;

private:
    // Entry i: the photos among the first i rows.
    std::vector<int> photosBefore_{0};
};
