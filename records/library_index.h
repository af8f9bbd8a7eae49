#pragma once

#include "catalogue/qel_file_info.h"

#include <string>
#include <unordered_map>
#include <vector>

// The photos a destination already holds, known by what their records say of them: the name
// each had on its card, its shooting date and its size. A photo met again is then found under
// any name — in a folder renamed since, under a title edited or composed with other options.
// Where a record lies, not what it says, tells which photo it describes: the photo in the
// folder above its kind directory whose record name is the record's. A record that cannot be
// read, or whose photo is gone, describes none.
class LibraryIndex {
public:
    explicit LibraryIndex(std::string destination) : destination_(std::move(destination)) {}

    // Where below the destination a file with the very bytes of `photo` (a result photo whose
    // `path` is its source) lies, or empty. The first call walks the destination once; the copy
    // pass makes it before its first copy, so what the pass itself copies is not among them.
    std::string find(const QELFileInfo& photo);

private:
    void walk(const std::string& folder, int depth);
    void indexRecords(const std::string& folder, const std::vector<std::string>& files);

    std::string destination_;
    bool walked_ = false;
    std::unordered_map<std::string, std::vector<std::string>> places_; // by key
};
