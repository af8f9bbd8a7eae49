#pragma once

#include "catalogue/left_on_card.h"
#include "catalogue/unread_folder.h"
#include "records/copy_photos.h"
#include "workflow/destination_check.h"

#include <optional>
#include <string>
#include <vector>

// What the step workflow tells the user, in Japanese. Paths are given as the file system has them.

// Why STEP5 or STEP6 refuses `destination` for `source`: the same folder, one inside the other
// either way, or a folder that cannot be written to. Nothing when the check found no problem.
std::optional<std::string> DestinationRefusal(const DestinationCheck& check,
                                              const std::string& source,
                                              const std::string& destination);

// Why STEP2 cannot search `source`; `error` is the errno of opening it.
std::string SourceUnreadableText(const std::string& source, int error);

// "コピー 15 枚 / 既にあった 1 枚 / 名前を変えてコピー 1 枚 / 失敗 2 枚": the photos copied under
// their titles always, the others only when there are any; photos count once each, and title
// folders, records and lists that could not be written as "ほかの失敗", then the photos a stop
// left out ("中止で未コピー") and the photos in place that had no EXIF date ("ファイル日時"). A
// photo's companions (関連ファイル) are counted apart, beside the photos' counts; a photo already
// in the library elsewhere than its title says is told in brackets: "（別の場所に 63 枚）".
std::string CopyCountsText(const CopyTally& tally);

// "読み込まないファイル: 動画 12 本 / RAW のみ 3 枚 / ほかの画像 2 枚 / その他 5 件 /
// 隠しフォルダの 写真 4 枚": what a search found below the source that will not be copied, kinds
// without a file left out; empty when nothing stays behind.
std::string NotImportedText(const LeftOnCard& left);

// Every file left on the card, a line each, kind by kind: "読み込まない動画: PATH".
std::vector<std::string> NotImportedLines(const LeftOnCard& left);

// The note a search leaves with the source folder: "読めないフォルダ 1 個" when it could not read
// some, first, then NotImportedText; empty when there is neither.
std::string SourceNoteText(const LeftOnCard& left, const UnreadFolders& unread);

// "読めなかったフォルダ 1 個" for a copy's counts; empty when every folder was read.
std::string UnreadCountText(const UnreadFolders& unread);

// Every folder the search could not read, a line each: "読めなかったフォルダ: PATH: reason".
std::vector<std::string> UnreadFolderLines(const UnreadFolders& unread);

// The counter beside the progress bar says what it counts: "写真 67 枚" for the photos a search has
// found, "解析 12／67" (a full-width solidus) for the photos a pass has done of all it works on.
std::string PhotoCountText(int photos);
std::string ProgressCountText(const char* word, int done, int total);
inline constexpr char kAnalysisCountWord[] = "解析";
inline constexpr char kCopyCountWord[] = "コピー";
