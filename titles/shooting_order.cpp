#include "titles/shooting_order.h"

#include "platform/cp932.h"

#include <algorithm>
#include <numeric>

namespace {

void SortEqualTimes(RecordList::iterator first, RecordList::iterator last) {
    std::vector<ShootingKey> keys;
    for (auto it = first; it != last; ++it) {
        keys.push_back(shootingKey(**it));
    }
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return compareShooting(keys[a], keys[b]);
    });
    RecordList sorted;
    for (const std::size_t index : order) {
        sorted.push_back(std::move(first[static_cast<std::ptrdiff_t>(index)]));
    }
    std::move(sorted.begin(), sorted.end(), first);
}

} // namespace

ShootingKey shootingKey(const QELFileInfo& photo) {
    return {photo.shootTime, Utf8ToCp932Strict(photo.name).value_or(photo.name)};
}

bool compareShooting(const ShootingKey& a, const ShootingKey& b) {
    if (a.time != b.time) {
        return a.time < b.time;
    }
    // Byte by byte as unsigned values, as the code-page comparison of the Windows program.
    return std::lexicographical_compare(a.nameBytes.begin(), a.nameBytes.end(), b.nameBytes.begin(),
                                        b.nameBytes.end(), [](char x, char y) {
                                            return static_cast<unsigned char>(x) <
                                                   static_cast<unsigned char>(y);
                                        });
}

void sortByShooting(RecordList& photos) {
    std::stable_sort(photos.begin(), photos.end(),
                     [](const auto& a, const auto& b) { return a->shootTime < b->shootTime; });
    for (auto first = photos.begin(); first != photos.end();) {
        const auto last = std::find_if(first, photos.end(), [&](const auto& photo) {
            return photo->shootTime != (*first)->shootTime;
        });
        if (last - first > 1) {
            SortEqualTimes(first, last);
        }
        first = last;
    }
}
