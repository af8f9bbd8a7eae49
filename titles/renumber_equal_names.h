#pragma once

#include "catalogue/manage_qel_file_info.h"

#include <string>

// Replaces every ".JPG" (case-sensitive) in `name` by `suffix`.
std::string replaceExtension(const std::string& name, const std::string& suffix);

// Numbers equal photo titles within each folder of the ordered result list: A.JPG three
// times becomes A-1.JPG, A-2.JPG, A-3.JPG; bare ".JPG" titles become 1.JPG, 2.JPG, ...
void renumberEqualNames(RecordList& results);
