#include "tests/cli_sort_fixture.h"

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> state;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        struct stat status {};
        lstat(entry.path().c_str(), &status);
        std::string facts = std::to_string(status.st_mtim.tv_sec) + "." +
                            std::to_string(status.st_mtim.tv_nsec) + " " +
                            std::to_string(status.st_mode);
        if (entry.is_regular_file()) {
            facts += " " + ReadFile(entry.path().string());
        }
        state[fs::relative(entry.path(), root).string()] = facts;
    }
    return state;
}

CliSort::CliSort()
    : answer_(ReadFile(TestDataDir() + "/geocode/ok_ja_kyoto_higashiyama.xml")),
      server([this](const httplib::Request&, httplib::Response& response) {
          ++requests;
          const std::lock_guard<std::mutex> lock(answerMutex_);
          response.set_content(answer_, "application/xml");
      }) {
    WriteFile(card.path() + "DCIM/100CAMERA/DSC01234.JPG",
              ExifPhoto("2010:08:15 09:05:30", kKyotoLatitude, kKyotoLongitude));
    WriteFile(card.path() + "DCIM/100CAMERA/IMG_0002.JPG", ExifPhoto("2010:08:15 09:06:00"));
    WriteFile(card.path() + "DCIM/101CAMERA/DSC00003.JPG", ExifPhoto("2011:01:01 00:00:00"));
    WriteFile(card.path() + "DCIM/.thumbs/DSC09999.JPG", ExifPhoto("2012:01:01 00:00:00"));
    WriteFile(card.path() + "DCIM/notes.txt", "camera notes");
}

void CliSort::setAnswer(const std::string& text) {
    const std::lock_guard<std::mutex> lock(answerMutex_);
    answer_ = text;
}

CliRun CliSort::Sort(const std::string& source, const std::string& destination,
                     const std::string& options, const std::string& prefix) {
    const auto before = Snapshot(source);
    const CliRun run = Cli("--settings " + Quoted(home.path() + "tessaroInit.Ini") +
                               " --geocode-url " + server.url() + " " + options + " sort " +
                               Quoted(source) + " " + Quoted(destination),
                           prefix);
    EXPECT_EQ(Snapshot(source), before) << "the source changed";
    return run;
}
