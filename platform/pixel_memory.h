#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Memory for decoded pictures. A photo's pixels run to tens of megabytes, and touching that many
// fresh pages one by one costs more than decoding the photo; large blocks are therefore taken
// as huge pages where the system offers them. Both throw std::bad_alloc like operator new.
void* AllocatePixelMemory(std::size_t bytes);
void FreePixelMemory(void* block, std::size_t bytes) noexcept;

template <typename T> struct PixelAllocator {
    using value_type = T;

    PixelAllocator() = default;
    template <typename U> PixelAllocator(const PixelAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        return static_cast<T*>(AllocatePixelMemory(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept {
        FreePixelMemory(block, count * sizeof(T));
    }
    template <typename U> bool operator==(const PixelAllocator<U>&) const noexcept { return true; }
};

using PixelBytes = std::vector<std::uint8_t, PixelAllocator<std::uint8_t>>;
