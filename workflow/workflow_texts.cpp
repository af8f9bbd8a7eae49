#include "workflow/workflow_texts.h"

#include "platform/error_text.h"

namespace {

std::string Count(const char* label, int count, const char* unit) {
    return std::string(label) + " " + std::to_string(count) + " " + unit;
}

} // namespace

std::optional<std::string> DestinationRefusal(const DestinationCheck& check,
                                              const std::string& source,
                                              const std::string& destination) {
    std::string why;
    switch (check.problem) {
    case DestinationProblem::None:
        return std::nullopt;
    case DestinationProblem::IsSource:
        why = "コピー先に読み込みフォルダと同じフォルダは選べません。";
        break;
    case DestinationProblem::InsideSource:
        why = "コピー先に読み込みフォルダの中のフォルダは選べません。";
        break;
    case DestinationProblem::HoldsSource:
        why = "コピー先に読み込みフォルダを含むフォルダは選べません。";
        break;
    case DestinationProblem::CannotCreate:
    case DestinationProblem::CannotWrite:
        return "コピー先のフォルダに書き込めません（" + ErrorText(check.error) +
               "）。\n書き込めるフォルダを選んでください。\n\nコピー先: " + destination;
    }
    return why +
           "\n読み込みフォルダ（カードなど）には何も書き込みません。別のフォルダを選んでください。"
           "\n\n読み込みフォルダ: " +
           source + "\nコピー先: " + destination;
}

std::string SourceUnreadableText(const std::string& source, int error) {
    return "読み込みフォルダを開けません。カードが差し込まれているか、フォルダがあるか確かめて"
           "ください。\n\n" +
           source + ": " + ErrorText(error);
}

std::string CopyCountsText(const CopyTally& tally) {
    std::string text = Count("コピー", tally.copied - tally.renamed, "枚");
    const auto add = [&text](const char* label, int count, const char* unit) {
        if (count > 0) {
            text += " / " + Count(label, count, unit);
        }
    };
    // A photo's RAW, sound or video are counted beside it, not as photos.
    add("関連ファイル", tally.companionsCopied, "件");
    add("既にあった", tally.skipped, "枚");
    if (tally.elsewhere > 0) {
        text += "（別の場所に " + std::to_string(tally.elsewhere) + " 枚）";
    }
    add("既にあった関連ファイル", tally.companionsSkipped, "件");
    add("名前を変えてコピー", tally.renamed, "枚");
    add("失敗", tally.failed, "枚");
    add("関連ファイルの失敗", tally.companionsFailed, "件");
    add("ほかの失敗", tally.otherFailures, "件");
    add("中止で未コピー", tally.stopped, "枚");
    add("ファイル日時", tally.fileDated, "枚");
    return text;
}

std::string NotImportedText(const LeftOnCard& left) {
    struct Kind {
        LeftKind kind;
        const char* label;
        const char* unit;
    };
    static constexpr Kind kKinds[] = {{LeftKind::Video, "動画", "本"},
                                      {LeftKind::RawOnly, "RAW のみ", "枚"},
                                      {LeftKind::Picture, "ほかの画像", "枚"},
                                      {LeftKind::Other, "その他", "件"},
                                      {LeftKind::HiddenPhoto, "隠しフォルダの写真", "枚"}};
    std::string text;
    for (const Kind& kind : kKinds) {
        if (const auto count = static_cast<int>(left.count(kind.kind)); count > 0) {
            text += (text.empty() ? "読み込まないファイル: " : " / ") +
                    Count(kind.label, count, kind.unit);
        }
    }
    return text;
}

std::vector<std::string> NotImportedLines(const LeftOnCard& left) {
    static constexpr std::pair<LeftKind, const char*> kLabels[] = {
        {LeftKind::Video, "読み込まない動画: "},
        {LeftKind::RawOnly, "読み込まない RAW（JPEG なし）: "},
        {LeftKind::Picture, "読み込まないほかの画像: "},
        {LeftKind::Other, "読み込まないファイル: "},
        {LeftKind::HiddenPhoto, "読み込まない隠しフォルダの写真: "}};
    std::vector<std::string> lines;
    for (const auto& [kind, label] : kLabels) {
        for (const std::string& path : left.of(kind)) {
            lines.push_back(label + path);
        }
    }
    return lines;
}

std::string SourceNoteText(const LeftOnCard& left, const UnreadFolders& unread) {
    const std::string notImported = NotImportedText(left);
    if (unread.empty()) {
        return notImported;
    }
    const std::string count = Count("読めないフォルダ", static_cast<int>(unread.size()), "個");
    return notImported.empty() ? count : count + " / " + notImported;
}

std::string UnreadCountText(const UnreadFolders& unread) {
    return unread.empty() ? std::string()
                          : Count("読めなかったフォルダ", static_cast<int>(unread.size()), "個");
}

std::vector<std::string> UnreadFolderLines(const UnreadFolders& unread) {
    std::vector<std::string> lines;
    for (const UnreadFolder& folder : unread) {
        lines.push_back("読めなかったフォルダ: " + folder.path + ": " + ErrorText(folder.error));
    }
    return lines;
}

std::string PhotoCountText(int photos) {
    return Count("写真", photos, "枚");
}

std::string ProgressCountText(const char* word, int done, int total) {
    return std::string(word) + " " + std::to_string(done) + "／" + std::to_string(total);
}
