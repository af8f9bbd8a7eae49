#include "ui/help_opener.h"

#include "platform/error_text.h"
#include "platform/file_contents.h"
#include "ui/help_file.h"
#include "ui/help_window.h"

#include <wx/log.h>
#include <wx/process.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kOpener[] = "xdg-open";

// The opener as the shell would find it on PATH; empty when there is none.
std::string FindOpener() {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "";
    while (!folders.empty()) {
        const std::size_t colon = folders.find(':');
        std::string folder(folders.substr(0, colon));
        folders.remove_prefix(colon == std::string_view::npos ? folders.size() : colon + 1);
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + kOpener;
        struct stat status {};
        if (stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return "";
}

std::string HelpText(const std::string& path) {
    if (path.empty()) {
        return "ヘルプのファイル ReadMe.txt が見つかりません。\n\n"
               "探した場所: 作業フォルダ、プログラムのデータフォルダ (share/tessaro)";
    }
    const auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return "ヘルプのファイルを読めません。\n\n" + path + ": " + ErrorText(errno);
    }
    return *bytes;
}

// One help window at a time: a second click brings the open one up.
void ShowOwnWindow(wxWindow* owner, const std::string& path) {
    const std::string text = HelpText(path);
    for (wxWindow* child : owner->GetChildren()) {
        if (auto* help = dynamic_cast<CHelpWindow*>(child);
            help != nullptr && !help->IsBeingDeleted()) {
            help->showText(text);
            help->Raise();
            return;
        }
    }
    (new CHelpWindow(owner, text))->Show();
}

// Hears how the opener ended; the window it would fall back on may have gone by then.
class OpenerWatch : public wxProcess {
public:
    OpenerWatch(wxWindow* owner, std::string path) : owner_(owner), path_(std::move(path)) {}

    void OnTerminate(int, int status) override {
        if (status != 0 && owner_ != nullptr) {
            ShowOwnWindow(owner_, path_);
        }
        delete this;
    }

private:
    wxWeakRef<wxWindow> owner_;
    std::string path_;
};

} // namespace

void OpenHelp(wxWindow* owner, const std::string& executablePath) {
    const std::string path = FindHelpFile(executablePath);
    const std::string opener = path.empty() ? "" : FindOpener();
    if (opener.empty()) {
        ShowOwnWindow(owner, path);
        return;
    }
    auto* watch = new OpenerWatch(owner, path);
    const char* const command[] = {opener.c_str(), path.c_str(), nullptr};
    wxLogNull quiet;
    if (wxExecute(command, wxEXEC_ASYNC, watch) == 0) {
        delete watch;
        ShowOwnWindow(owner, path);
    }
}
