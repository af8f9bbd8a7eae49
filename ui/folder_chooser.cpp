#include "ui/folder_chooser.h"

#include "platform/file_contents.h"

#include <wx/dirdlg.h>

#include <cstdlib>
#include <deque>

namespace {

constexpr char kAnswersVariable[] = "TESSARO_FOLDER_ANSWERS";

std::deque<std::string> ReadAnswers(const std::string& path) {
    std::deque<std::string> answers;
    const auto contents = ReadWholeFile(path);
    if (!contents) {
        return answers;
    }
    std::size_t start = 0;
    while (start < contents->size()) {
        std::size_t end = contents->find('\n', start);
        if (end == std::string::npos) {
            end = contents->size();
        }
        answers.push_back(contents->substr(start, end - start));
        start = end + 1;
    }
    return answers;
}

// The answers of the file now named; a file named anew is read from its start.
std::optional<std::string> PreparedAnswer(const std::string& path) {
    static std::string answersPath;
    static std::deque<std::string> answers;
    if (path != answersPath) {
        answersPath = path;
        answers = ReadAnswers(path);
    }
    if (answers.empty()) {
        return std::nullopt;
    }
    std::string answer = std::move(answers.front());
    answers.pop_front();
    if (answer.empty()) {
        return std::nullopt;
    }
    return WithTrailingSlash(std::move(answer));
}

} // namespace

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::optional<std::string> BrowseFolder(wxWindow* owner, const std::string& initialFolder,
                                        const std::string& title) {
    if (const char* answers = std::getenv(kAnswersVariable); answers != nullptr && *answers) {
        return PreparedAnswer(answers);
    }
    wxDirDialog chooser(owner, wxString::FromUTF8(title),
                        wxString(initialFolder.c_str(), *wxConvFileName),
                        wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (chooser.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    const wxString chosen = chooser.GetPath();
    if (chosen.empty()) {
        return std::nullopt;
    }
    // File names are bytes: the path goes back to them, not to its display form.
    return WithTrailingSlash(std::string(chosen.fn_str()));
}
