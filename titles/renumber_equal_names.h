#pragma once

#include "catalogue/manage_qel_file_info.h"

#include <string>

// Replaces every ".JPG" (case-sensitive) in `name` by `suffix`.
std::string replaceExtension(const std::string& name, const std::string& suffix);

// Makes the photo titles of every folder of the ordered result list distinct, numbering equal
// ones in list order: A.JPG three times becomes A-1.JPG, A-2.JPG, A-3.JPG; a name that is only
// its extension gets a number even alone (.JPG, .JPG becomes 1.JPG, 2.JPG). A number that would
// give a name another photo of the folder has is passed over. A name the user typed is kept by
// the first photo that bears it by hand, and the other photos of that name are numbered. Day
// folders of one title in one year are one folder.
void renumberEqualNames(RecordList& results);
