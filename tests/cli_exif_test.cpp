#include "tests/cli_runner.h"
#include "tests/exif_builder.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

TEST(CliExif, printsOneTabSeparatedLinePerFileAndFailsWhenOneCannotBeOpened) {
    TempDir dir;
    TiffLayout unsetClock = CameraLayout(false, "N", "E");
    unsetClock.exif[1] = TiffEntry::Ascii(0x9003, "0000:00:00 00:00:00");
    WriteFile(dir.path() + "unset.JPG", ExifJpeg(BuildTiff(unsetClock)));
    WriteFile(dir.path() + "plain.JPG", "\xFF\xD8\xFF\xDB");
    const std::string kodak = TestDataDir() + "/cameras/whole/exif-samples_Kodak_CX7530.jpg";

    const CliRun good = Cli("exif " + Quoted(kodak) + " " + Quoted(dir.path() + "unset.JPG") + " " +
                            Quoted(dir.path() + "plain.JPG"));
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, kodak + "\t0\t2005:08:13 09:47:23\t-0.371300\t36.056417\n" + dir.path() +
                            "unset.JPG\t0\t\t35.675000\t139.750000\n" + dir.path() +
                            "plain.JPG\t-2\t\t\t\n");

    const CliRun missing = Cli("exif " + Quoted(dir.path() + "gone.JPG") + " " + Quoted(kodak));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out.substr(0, missing.out.find('\n')), dir.path() + "gone.JPG\t-1\t\t\t");
}

TEST(CliExif, answersUsageErrorsWithStatusTwoAndHelpWithTheCommands) {
    EXPECT_EQ(Cli("").status, 2);
    EXPECT_EQ(Cli("exif").status, 2);
    EXPECT_EQ(Cli("frobnicate x").status, 2);
    const CliRun help = Cli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("exif FILE..."), std::string::npos);
    EXPECT_EQ(Cli("--version").out, "tessaro-cli " TESSARO_VERSION "\n");
}
