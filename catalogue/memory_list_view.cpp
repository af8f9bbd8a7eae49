#include "catalogue/memory_list_view.h"

void MemoryListView::AddRow(QELFileInfo* record) {
    std::lock_guard guard(addLock_);
    rows_.push_back(record);
}

std::size_t MemoryListView::RowCount() const {
    std::lock_guard guard(addLock_);
    return rows_.size();
}

QELFileInfo* MemoryListView::RowRecord(std::size_t index) const {
    std::lock_guard guard(addLock_);
    return index < rows_.size() ? rows_[index] : nullptr;
}

void MemoryListView::RemoveAllRows() {
    std::lock_guard guard(addLock_);
    rows_.clear();
}

void MemoryListView::Invalidate() {
    ++invalidated_;
}

std::vector<QELFileInfo*> MemoryListView::Rows() const {
    std::lock_guard guard(addLock_);
    return rows_;
}
