#pragma once

#include <cstddef>

struct QELFileInfo;

// What the catalogue, the scan and the passes need of a list that shows a tree. The desktop
// program's owner-drawn list implements it; tests and the command line use MemoryListView.
// Rows are appended from worker threads, so every operation must be safe from any thread.
class ListView {
public:
    virtual ~ListView() = default;
    // Appends one row whose item data is `record` (not owned) and repaints.
    virtual void AddRow(QELFileInfo* record) = 0;
    virtual std::size_t RowCount() const = 0;
    // The record of row `index`, or nullptr when there is no such row.
    virtual QELFileInfo* RowRecord(std::size_t index) const = 0;
    virtual void RemoveAllRows() = 0;
    // Repaints the rows without erasing the background.
    virtual void Invalidate() = 0;
};
