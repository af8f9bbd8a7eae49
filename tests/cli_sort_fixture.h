#pragma once

#include "tests/cli_runner.h"
#include "tests/exif_builder.h"
#include "tests/loopback_server.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>

// Every path below `root` with, for files, their bytes and modification time: what must not
// change in a source.
std::map<std::string, std::string> Snapshot(const std::string& root);

// A card of three photos over two years, a geocoding server on 127.0.0.1 answering Kyoto, and a
// settings file of the test's own: `tessaro-cli sort` as a user runs it.
class CliSort : public ::testing::Test {
protected:
    CliSort();

    // `sort` with this test's settings file and geocoding server; `prefix` as for Cli. Fails the
    // test when the source changed.
    CliRun Sort(const std::string& source, const std::string& destination,
                const std::string& options = "", const std::string& prefix = "");

    // What the geocoding server answers from now on. The server reads it on its own threads,
    // which a request from the tool's process does not order after the test's writes.
    void setAnswer(const std::string& text);

    TempDir card;
    TempDir home;
    TempDir out;
    std::atomic<int> requests{0};

private:
    std::mutex answerMutex_;
    std::string answer_;

protected:
    LoopbackServer server;
};

inline const Rationals kKyotoLatitude = {{35, 1}, {0, 1}, {0, 1}};
inline const Rationals kKyotoLongitude = {{135, 1}, {46, 1}, {0, 1}};
// The card's notes.txt and the photo in its .thumbs stay behind: every run over the card says so
// first.
inline const std::string kCardNotImported =
    "not imported: 1 other file / 1 photo in a hidden folder\n";
inline const std::string kYear2010 = "2010(平成22)年/";
inline const std::string kDay0815 = kYear2010 + "08月15日京都府/";
inline const std::string kYear2011 = "2011(平成23)年/";
inline const std::string kDay0101 = kYear2011 + "01月01日/";
