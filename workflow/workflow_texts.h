#pragma once

#include "records/copy_photos.h"

#include <optional>
#include <string>

// What the step workflow tells the user, in Japanese. Paths are given as the file system has them.

// Why STEP5 or STEP6 refuses `destination` for `source`: the same folder, one inside the other
// either way. Nothing when the two lie apart.
std::optional<std::string> DestinationRefusal(const std::string& source,
                                              const std::string& destination);

// Why STEP2 cannot search `source`; `error` is the errno of opening it.
std::string SourceUnreadableText(const std::string& source, int error);

// "コピー 15 枚 / 既にあった 1 枚 / 名前を変えてコピー 1 枚 / 失敗 2 枚": the photos copied under
// their titles always, the others only when there are any; photos count once each, and title
// folders, records and lists that could not be written come last as "ほかの失敗".
std::string CopyCountsText(const CopyTally& tally);

// The counter beside the progress bar says what it counts: "写真 67 枚" for the photos a search has
// found, "解析 12／67" (a full-width solidus) for the photos a pass has done of all it works on.
std::string PhotoCountText(int photos);
std::string ProgressCountText(const char* word, int done, int total);
inline constexpr char kAnalysisCountWord[] = "解析";
