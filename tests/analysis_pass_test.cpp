#include "exif/analysis_pass.h"
#include "geocode/geocode_answer.h"
#include "platform/local_time.h"
#include "records/record_paths.h"
#include "tests/exif_builder.h"
#include "tests/loopback_server.h"
#include "tests/scan_harness.h"
#include "tests/test_support.h"
#include "workflow/start_analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <regex>
#include <sys/stat.h>
#include <tuple>

namespace {

using Names = std::vector<std::string>;
const Names kKyoto = {"日本", "京都府", "京都市", "東山区", "清水", "１丁目", "２９４"};

const std::string kKyotoPhoto =
    ExifPhoto("2011:02:30 10:00:00", {{35, 1}, {0, 1}, {0, 1}}, {{135, 1}, {46, 1}, {0, 1}});

void SetModified(const std::string& path, std::int64_t seconds) {
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// A scanned card and a geocoding server whose status answers can be scripted.
class AnalysisPass : public ::testing::Test {
protected:
    void Answer(std::vector<std::string> statuses) {
        const std::lock_guard<std::mutex> hold(lock_);
        statuses_ = std::move(statuses);
    }
    int Requests() const { return requests_.load(); }
    // From the `request`-th request on, answers wait until released (or a minute).
    void HoldFrom(int request) { holdFrom_ = request; }
    void Release() { holdFrom_ = 0; }
    GeocodingService Service() const { return geocodingServiceFor(server_.url()); }

    // Scans the card and runs the pass to its end; false when it did not end in time.
    void Analyse(bool geocode = true) {
        if (harness_.catalogue.sourceList->RowCount() == 0) {
            harness_.search(card_.path());
        }
        harness_.messages.clear();
        std::optional<GeocodingService> service;
        if (geocode) {
            service = Service();
        }
        ASSERT_EQ(startAnalysis(harness_.catalogue, &harness_.window, ExifAnalysisWorker, service),
                  0);
        ASSERT_TRUE(harness_.window.dispatchUntil(
            [&] { return harness_.catalogue.analysisJob->running.load() == 0; }, 60000));
        harness_.catalogue.analysisThread.join();
        harness_.window.dispatch();
    }

    QELFileInfo& Row(const std::string& name) {
        for (QELFileInfo* row : harness_.sourceRows.Rows()) {
            if (row->name == name) {
                return *row;
            }
        }
        throw std::runtime_error("no row " + name);
    }

    TempDir card_;
    ScanHarness harness_;

private:
    std::string NextStatus() {
        const std::lock_guard<std::mutex> hold(lock_);
        if (statuses_.size() > 1) {
            std::string status = statuses_.front();
            statuses_.erase(statuses_.begin());
            return status;
        }
        return statuses_.empty() ? "OK" : statuses_.front();
    }

    std::mutex lock_;
    std::vector<std::string> statuses_;
    std::atomic<int> requests_{0};
    std::atomic<int> holdFrom_{0};
    LoopbackServer server_{[this](const httplib::Request&, httplib::Response& response) {
        const int request = ++requests_;
        WaitUntil([&] { return holdFrom_.load() == 0 || request < holdFrom_.load(); },
                  std::chrono::minutes(1));
        const std::string status = NextStatus();
        response.set_content(
            status == "OK" ? ReadFile(TestDataDir() + "/geocode/ok_ja_kyoto_higashiyama.xml")
                           : "<GeocodeResponse><status>" + status + "</status></GeocodeResponse>",
            "application/xml");
    }};
};

} // namespace

TEST_F(AnalysisPass, readsTimePositionPlacesAndDcfNamesAndReportsEveryEntry) {
    WriteFile(card_.path() + "DSC01234.JPG", kKyotoPhoto);
    WriteFile(card_.path() + "day/IMG-1234.JPG", ExifPhoto("2011:08:15 09:30:00"));
    WriteFile(card_.path() + "day/plain.JPG", std::string("\xFF\xD8\xFF\xDB\x00\x04"
                                                          "ab",
                                                          8));
    SetModified(card_.path() + "day/plain.JPG", LocalToSeconds({2012, 5, 6, 7, 8, 9}));
    Analyse();

    const QELFileInfo& kyoto = Row("DSC01234.JPG");
    EXPECT_EQ(kyoto.exifStatus, kExifStatusExifTime);
    EXPECT_EQ(kyoto.dateTimeOriginalText, "2011:03:02 10:00:00");
    EXPECT_EQ(kyoto.shootTime, LocalToSeconds({2011, 3, 2, 10, 0, 0}));
    EXPECT_DOUBLE_EQ(kyoto.latitude, 35.0);
    EXPECT_NEAR(kyoto.longitude, 135.766667, 1e-6);
    EXPECT_EQ(kyoto.shortAddresses, kKyoto);
    EXPECT_EQ(kyoto.orgDcfName, "DSC01234.JPG");
    EXPECT_EQ(kyoto.newDcfName, "");

    const QELFileInfo& noGps = Row("IMG-1234.JPG");
    EXPECT_EQ(noGps.exifStatus, kExifStatusExifTime);
    EXPECT_EQ(noGps.latitude, 0.0);
    EXPECT_TRUE(noGps.shortAddresses.empty());
    EXPECT_TRUE(std::regex_match(noGps.newDcfName, std::regex("TS0930[0-9]{2,3}\\.JPG")))
        << noGps.newDcfName;
    EXPECT_EQ(noGps.orgDcfName, "");

    const QELFileInfo& plain = Row("plain.JPG");
    EXPECT_EQ(plain.exifStatus, kExifStatusFileTime);
    EXPECT_EQ(plain.fileDateTimeText, "2012:05:06 07:08:09");
    EXPECT_EQ(plain.dateTimeOriginalText, "");
    EXPECT_EQ(Requests(), 1);

    const auto progress = harness_.messagesOf(UM_EXIF_PROGRESS);
    const std::size_t rows = harness_.sourceRows.RowCount();
    ASSERT_EQ(progress.size(), rows);
    for (std::size_t i = 0; i < rows; ++i) {
        EXPECT_EQ(progress[i].wParam, i + 1);
        EXPECT_EQ(progress[i].lParam, static_cast<LParam>(rows));
    }
}

TEST_F(AnalysisPass, treatsAnUnsetClockAsNoDateAndGeocodesOnlyNonZeroPositions) {
    WriteFile(
        card_.path() + "unset.JPG",
        ExifPhoto("0000:00:00 00:00:00", {{35, 1}, {0, 1}, {0, 1}}, {{135, 1}, {0, 1}, {0, 1}}));
    SetModified(card_.path() + "unset.JPG", LocalToSeconds({2013, 1, 2, 3, 4, 5}));
    WriteFile(
        card_.path() + "equator.JPG",
        ExifPhoto("2011:01:01 00:00:00", {{0, 1}, {0, 1}, {0, 1}}, {{135, 1}, {0, 1}, {0, 1}}));
    Analyse();
    EXPECT_EQ(Row("unset.JPG").exifStatus, kExifStatusFileTime);
    EXPECT_EQ(Row("unset.JPG").fileDateTimeText, "2013:01:02 03:04:05");
    EXPECT_EQ(Row("equator.JPG").exifStatus, kExifStatusExifTime);
    EXPECT_TRUE(Row("equator.JPG").shortAddresses.empty());
    EXPECT_EQ(Requests(), 0);
}

TEST_F(AnalysisPass, asksAgainWhileTheServiceIsOverItsLimitAndGivesUpAfterTenCalls) {
    WriteFile(card_.path() + "DSC00001.JPG", kKyotoPhoto);
    Answer({"OVER_QUERY_LIMIT", "OVER_QUERY_LIMIT", "OK"});
    Analyse();
    EXPECT_EQ(Requests(), 3);
    EXPECT_EQ(Row("DSC00001.JPG").shortAddresses, kKyoto);

    // A pass that cannot have places keeps those the photo had.
    Answer({"OVER_QUERY_LIMIT"});
    Analyse();
    EXPECT_EQ(Requests(), 3 + 10);
    EXPECT_EQ(Row("DSC00001.JPG").shortAddresses, kKyoto);
    EXPECT_EQ(Row("DSC00001.JPG").exifStatus, kExifStatusExifTime);
}

// Three photos against a service over its limit used to cost thirty requests, and one that
// refused the key was still asked for every photo.
TEST_F(AnalysisPass, stopsAskingAServiceThatRefusedAndSaysSoOnce) {
    for (const char* name : {"DSC00001.JPG", "DSC00002.JPG", "DSC00003.JPG"}) {
        WriteFile(card_.path() + name, kKyotoPhoto);
    }
    for (const auto& [status, calls, result] :
         {std::tuple("OVER_QUERY_LIMIT", 10, kGeocodeOverQueryLimit),
          std::tuple("REQUEST_DENIED", 1, kGeocodeRefused)}) {
        const int before = Requests();
        Answer({status});
        Analyse();
        EXPECT_EQ(Requests() - before, calls) << status;
        const auto stopped = harness_.messagesOf(UM_GEOCODE_STOPPED);
        ASSERT_EQ(stopped.size(), 1u) << status;
        EXPECT_EQ(static_cast<int>(stopped[0].wParam), result);
        EXPECT_TRUE(Row("DSC00003.JPG").shortAddresses.empty());
    }
    // Unreachable is no refusal: every photo is tried, nothing is said.
    Answer({"UNKNOWN_ERROR"});
    Analyse();
    EXPECT_TRUE(harness_.messagesOf(UM_GEOCODE_STOPPED).empty());
}

TEST_F(AnalysisPass, givesTheSameValuesWhenRunAgainAndKeepsDcfNames) {
    WriteFile(card_.path() + "DSC01234.JPG", kKyotoPhoto);
    WriteFile(card_.path() + "IMG-0001.JPG", ExifPhoto("2011:08:15 09:30:00"));
    Analyse();
    const std::string generated = Row("IMG-0001.JPG").newDcfName;
    Analyse();
    EXPECT_EQ(Row("DSC01234.JPG").shortAddresses, kKyoto);
    EXPECT_EQ(Row("IMG-0001.JPG").newDcfName, generated);
}

// A record with ExifStatus 2 tells of a photo copied unanalysed: one without EXIF, whose EXIF
// date it would otherwise say.
TEST_F(AnalysisPass, takesARecordThatDescribesItsPhotoAndReadsAfreshAPhotoWhoseRecordDoesNot) {
    const std::string record =
        "<?xml version=1.0?>\r\n<TSFFile>\r\n<ExifStatus>2</ExifStatus>\r\n"
        "<OrgDCFFileName>DSC00042.JPG</OrgDCFFileName>\r\n"
        "<BeforeFileName1>DSC00042.JPG</BeforeFileName1>\r\n"
        "<DateTimeBeforeFileName1>2010:08:15 09:05:30</DateTimeBeforeFileName1>\r\n"
        "</TSFFile>\r\n";
    WriteFile(card_.path() + "2011年/0905.JPG", "not a JPEG at all");
    WriteFile(card_.path() + "2011年/TSFXML/0905TSF.XML", record);
    WriteFile(card_.path() + "2011年/0906.JPG", kKyotoPhoto);
    WriteFile(card_.path() + "2011年/TSFXML/0906TSF.XML", record);
    WriteFile(card_.path() + "TS1XML/2011年TS1.XML",
              "<?xml version=1.0?>\r\n<TS1File>\r\n"
              "<BeforePairTitleFolderName1>2011</BeforePairTitleFolderName1>\r\n"
              "<DateTimeBeforePairTitleFolderName1>2012:01:01 00:00:00"
              "</DateTimeBeforePairTitleFolderName1>\r\n</TS1File>\r\n");
    const struct timespec modified[2] = {{1299000000, 123456789}, {1299000000, 123456789}};
    ASSERT_EQ(utimensat(AT_FDCWD, (card_.path() + "2011年/0905.JPG").c_str(), modified, 0), 0);
    Analyse();
    const QELFileInfo& recognised = Row("0905.JPG");
    EXPECT_EQ(recognised.exifStatus, kExifStatusNotAnalysed);
    EXPECT_EQ(recognised.orgDcfName, "DSC00042.JPG");
    EXPECT_EQ(recognised.beforeNames, Names{"DSC00042.JPG"});
    EXPECT_EQ(Row("2011年").beforeNames, Names{"2011"});
    EXPECT_EQ(recognised.analysedSize, 17);
    EXPECT_EQ(recognised.analysedModifiedNs, 1299000000123456789);

    const QELFileInfo& afresh = Row("0906.JPG");
    EXPECT_EQ(afresh.exifStatus, kExifStatusExifTime);
    EXPECT_EQ(afresh.dateTimeOriginalText, "2011:03:02 10:00:00");
    EXPECT_EQ(afresh.shortAddresses, kKyoto);
    EXPECT_TRUE(afresh.beforeNames.empty()) << "the history was another photo's";
    EXPECT_TRUE(std::regex_match(afresh.newDcfName, std::regex("TS1000[0-9]{2,3}\\.JPG")));
    EXPECT_EQ(afresh.orgDcfName, "");
    EXPECT_EQ(afresh.analysedSize, static_cast<std::int64_t>(kKyotoPhoto.size()));
    EXPECT_EQ(Requests(), 1);
}

TEST_F(AnalysisPass, waitsForAPhotoThatCannotBeOpenedThenFallsBackWithoutATime) {
    WriteFile(card_.path() + "gone.JPG", kKyotoPhoto);
    harness_.search(card_.path());
    std::filesystem::remove(card_.path() + "gone.JPG");
    const auto start = std::chrono::steady_clock::now();
    Analyse();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_EQ(Row("gone.JPG").exifStatus, kExifStatusFileTime);
    EXPECT_EQ(Row("gone.JPG").shootTime, 0);
    EXPECT_EQ(Row("gone.JPG").fileDateTimeText, "");
    EXPECT_EQ(Row("gone.JPG").analysedSize, kNotMeasured);
}

TEST_F(AnalysisPass, postsNothingForAnEmptySourceAndStopsWhenAsked) {
    Analyse();
    EXPECT_TRUE(harness_.messagesOf(UM_EXIF_PROGRESS).empty());

    for (int i = 0; i < 3; ++i) {
        WriteFile(card_.path() + "DSC0000" + std::to_string(i) + ".JPG", kKyotoPhoto);
    }
    harness_.search(card_.path());
    // Stopped while it asks again for the first photo.
    Answer({"OVER_QUERY_LIMIT"});
    HoldFrom(2);
    ASSERT_EQ(startAnalysis(harness_.catalogue, &harness_.window, ExifAnalysisWorker, Service()),
              0);
    ASSERT_TRUE(WaitUntil([&] { return Requests() == 2; }));
    stopAnalysis(harness_.catalogue);
    Release();
    EXPECT_FALSE(harness_.catalogue.analysisThread.joinable());
    EXPECT_EQ(harness_.catalogue.analysisJob->running.load(), 0);
    harness_.window.dispatch();
    // The photo under way is left as it was and not reported, and asked for no more.
    EXPECT_EQ(harness_.messagesOf(UM_EXIF_PROGRESS).size(), 0u);
    EXPECT_EQ(Row("DSC00000.JPG").exifStatus, kExifStatusNotAnalysed);
    EXPECT_EQ(Requests(), 2);
}

TEST_F(AnalysisPass, breaksOffARequestThatNeverAnswersWhenStopped) {
    WriteFile(card_.path() + "DSC00001.JPG", kKyotoPhoto);
    harness_.search(card_.path());
    SilentListener silent;
    GeocodingService service;
    service.baseUrl = silent.url();
    ASSERT_EQ(startAnalysis(harness_.catalogue, &harness_.window, ExifAnalysisWorker, service), 0);
    ASSERT_TRUE(silent.connected(std::chrono::seconds(30)));
    const double start = SleepClock();
    stopAnalysis(harness_.catalogue);
    // The 300 ms of the stop protocol, not the request's 30 s limit; a worker a busy machine kept
    // past the stop's bound is left behind, and must still end long before that limit.
    EXPECT_LT(SleepClock() - start, 0.9);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return std::ranges::all_of(
                harness_.catalogue.leftBehind,
                [](const LeftBehindWorker& worker) { return worker.ended(); });
        },
        std::chrono::seconds(10)));
}
