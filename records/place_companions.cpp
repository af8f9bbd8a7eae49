#include "records/place_companions.h"

#include "platform/error_report.h"
#include "platform/error_text.h"
#include "records/place_file.h"

#include <cerrno>

namespace {

void TakeBack(QELFileInfo& entry, std::size_t index, const std::string& source, CopyTally& tally) {
    --tally.companionsCopied;
    ++tally.companionsFailed;
    const auto lock = LockRecord(entry);
    entry.companions[index] = source;
}

} // namespace

void PlaceCompanions(const PhotoGroup& group, const std::string& folder,
                     const std::string& photoName, QELFileInfo& entry, CopyTally& tally,
                     CopyVerifier& verifier, const DestinationRoot& root) {
    std::vector<std::string> places = group.companions;
    for (std::size_t i = 0; i < group.companions.size(); ++i) {
        const std::string target = folder + CompanionName(photoName, group.suffixes[i]);
        switch (PlaceFile(group.companions[i], root.at(target))) {
        case FilePlaced::Copied:
            ++tally.companionsCopied;
            places[i] = target;
            verifier.add(group.companions[i], target,
                         [&entry, i, source = group.companions[i], &tally] {
                             TakeBack(entry, i, source, tally);
                         });
            continue;
        case FilePlaced::AlreadyThere:
            ++tally.companionsSkipped;
            places[i] = target;
            continue;
        case FilePlaced::Taken:
            errno = EEXIST;
            break;
        case FilePlaced::Failed:
            break;
        }
        ReportError("関連ファイルをコピーできませんでした: " + group.companions[i] + " → " +
                    target + ": " + ErrorText(errno));
        ++tally.companionsFailed;
    }
    // The lists may draw the entry meanwhile, from another thread.
    const auto lock = LockRecord(entry);
    entry.companions = std::move(places);
}

void ReportCompanionsLeft(const PhotoGroup& group, CopyTally& tally) {
    for (const std::string& companion : group.companions) {
        ReportError("写真をコピーできなかったので関連ファイルもコピーしていません: " + companion);
        ++tally.companionsFailed;
    }
}
