#include "tests/window_fixture.h"
#include "ui/help_window.h"

#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace {

// Runs the test from `folder`, with `path` as PATH, and puts both back afterwards.
class HelpSurroundings {
public:
    HelpSurroundings(const std::string& folder, const std::string& path)
        : folder_(std::filesystem::current_path()), path_(std::getenv("PATH")) {
        std::filesystem::current_path(folder);
        setenv("PATH", path.c_str(), 1);
    }
    ~HelpSurroundings() {
        std::filesystem::current_path(folder_);
        setenv("PATH", path_.c_str(), 1);
    }

private:
    std::filesystem::path folder_;
    std::string path_;
};

CHelpWindow* ShownHelpWindow() {
    for (wxWindow* top : wxTopLevelWindows) {
        if (auto* help = dynamic_cast<CHelpWindow*>(top); help && help->IsShownOnScreen()) {
            return help;
        }
    }
    return nullptr;
}

std::string HelpTextShown() {
    CHelpWindow* help = ShownHelpWindow();
    return help != nullptr ? ControlById<wxTextCtrl>(help, kIdHelpText)->GetValue().utf8_string()
                           : "";
}

void CloseHelpWindow() {
    Click(ShownHelpWindow()->FindWindow(wxID_CLOSE));
    ASSERT_TRUE(RunUntil([] {
        return std::none_of(wxTopLevelWindows.begin(), wxTopLevelWindows.end(),
                            [](wxWindow* w) { return dynamic_cast<CHelpWindow*>(w) != nullptr; });
    }));
}

} // namespace

// Where nothing opens text files, "ヘルプ" shows ReadMe.txt itself: with no opener on PATH, with
// one that fails, and, with no ReadMe.txt at all, it says so.
TEST_F(MainWindow, helpShowsTheReadMeInAWindowOfItsOwnWhenNoOpenerOpensIt) {
    TempDir working;
    TempDir tools;
    // The one the program ships, long enough to be scrolled.
    const std::string readMe = ReadFile(TestDataDir() + "/../../resources/ReadMe.txt");
    ASSERT_FALSE(readMe.empty());
    WriteFile(working.path() + "ReadMe.txt", readMe);
    HelpSurroundings surroundings(working.path(), tools.path());
    open({});

    clickAndAwait(kIdHelp);
    ASSERT_TRUE(RunUntil([&] { return HelpTextShown() == readMe; })) << HelpTextShown();
    CHelpWindow* help = ShownHelpWindow();
    EXPECT_EQ(help->GetTitle().utf8_string(), "ヘルプ");
    EXPECT_EQ(help->FindWindow(wxID_CLOSE)->GetLabel().utf8_string(), "閉じる");
    EXPECT_GE(help->GetClientSize().x, 400) << "room for the ReadMe's lines";
    ASSERT_TRUE(SaveScreenshot(help, std::string(TESSARO_SCREENSHOT_DIR) + "/help.png"));
    ASSERT_NO_FATAL_FAILURE(CloseHelpWindow());

    // An opener that finds no application for text files says so by its exit status.
    WriteFile(tools.path() + "xdg-open", "#!/bin/sh\nexit 3\n");
    chmod((tools.path() + "xdg-open").c_str(), 0755);
    clickAndAwait(kIdHelp);
    ASSERT_TRUE(RunUntil([&] { return HelpTextShown() == readMe; })) << HelpTextShown();
    ASSERT_NO_FATAL_FAILURE(CloseHelpWindow());

    std::filesystem::remove(working.path() + "ReadMe.txt");
    clickAndAwait(kIdHelp);
    ASSERT_TRUE(RunUntil([] {
        return HelpTextShown().find("ReadMe.txt が見つかりません") != std::string::npos;
    })) << HelpTextShown();
    // Escape closes the help window, and only that.
    PressKey(ShownHelpWindow(), WXK_ESCAPE);
    ASSERT_TRUE(RunUntil([] { return ShownHelpWindow() == nullptr; }));
    Click(window->FindWindow(kYearDigitsRadio));
    ASSERT_TRUE(RunUntil(
        [&] { return ControlById<wxRadioButton>(window.get(), kYearDigitsRadio)->GetValue(); }));
    EXPECT_TRUE(window->IsShown());
}
