#pragma once

#include "catalogue/manage_qel_file_info.h"

#include <cstdint>
#include <string>

// What photos are ordered by: the shooting time, then the name in code page 932 byte order,
// as the Windows program compared names. A name without a CP932 form takes part with its UTF-8
// bytes, which keeps the order total.
struct ShootingKey {
    std::int64_t time = 0;
    std::string nameBytes;
};

ShootingKey shootingKey(const QELFileInfo& photo);
bool compareShooting(const ShootingKey& a, const ShootingKey& b);

// Sorts the photos into shooting order; names are converted only where times are equal.
void sortByShooting(RecordList& photos);
