#pragma once

#include "catalogue/list_view.h"

#include <atomic>
#include <mutex>
#include <vector>

// A list without a window: rows kept in memory, repaints counted.
class MemoryListView : public ListView {
public:
    void AddRow(QELFileInfo* record) override;
    std::size_t RowCount() const override;
    QELFileInfo* RowRecord(std::size_t index) const override;
    void RemoveAllRows() override;
    void Invalidate() override;

    std::vector<QELFileInfo*> Rows() const;
    int InvalidateCount() const { return invalidated_.load(); }

private:
    mutable std::mutex addLock_;
    std::vector<QELFileInfo*> rows_;
    std::atomic<int> invalidated_{0};
};
