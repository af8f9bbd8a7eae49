#include "platform/pixel_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this the ordinary heap serves; it keeps its pages for the next picture anyway.
constexpr std::size_t kSmallestMapped = std::size_t{4} << 20;

std::size_t MappedLength(std::size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

} // namespace

void* AllocatePixelMemory(std::size_t bytes) {
    if (bytes < kSmallestMapped) {
        return ::operator new(bytes);
    }
    const std::size_t length = MappedLength(bytes);
    if (length < bytes) {
        throw std::bad_alloc();
    }
    // Mapped with a huge page of slack, then trimmed to a huge-page boundary at both ends.
    void* mapped = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start) {
        munmap(mapped, aligned - start);
    }
    const std::size_t tail = start + length + kHugePage - (aligned + length);
    if (tail > 0) {
        munmap(reinterpret_cast<void*>(aligned + length), tail);
    }
    // Only advice: without huge pages the block is ordinary memory.
    madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void FreePixelMemory(void* block, std::size_t bytes) noexcept {
    if (bytes < kSmallestMapped) {
        ::operator delete(block);
        return;
    }
    munmap(block, MappedLength(bytes));
}
