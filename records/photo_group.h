#pragma once

#include "catalogue/qel_file_info.h"
#include "platform/destination_root.h"

#include <optional>
#include <string>
#include <vector>

// A photo and the files that travel with it (its RAW, voice memo, sidecar, Live Photo video),
// which are copied under the photo's stem: IMG_0001.JPG and IMG_0001.CR3 become
// 09時07分京都市.JPG and 09時07分京都市.CR3.
struct PhotoGroup {
    std::string photo;                   // the photo's source path
    std::vector<std::string> companions; // their source paths
    std::vector<std::string> suffixes;   // what follows the photo's stem in each one's name
};

// The group of a result photo, read before its paths are put in place.
PhotoGroup GroupOf(const QELFileInfo& photo);

// The name of the companion with `suffix` beside the photo named `photoName`.
std::string CompanionName(const std::string& photoName, const std::string& suffix);

struct StemChoice {
    int number = 0;          // of NumberedName; 0 for the title itself
    std::string name;        // the photo's name under it
    bool photoThere = false; // that name already holds the photo's very bytes
};

// The first numbered form of `title`, from `from` on, under which no name of the group — the
// photo's, its record's, each companion's — is taken in `folder` by a different file; a name
// holding its member's very bytes is that member, already there. Where the photo itself is
// already there, that is its stem, whatever bears its companions' names. Looks, writes nothing;
// `folder` lies below `root` and is looked into through it. Nothing when every number is taken.
std::optional<StemChoice> ChooseStem(const DestinationRoot& root, const std::string& folder,
                                     const std::string& title, const PhotoGroup& group, int from);
