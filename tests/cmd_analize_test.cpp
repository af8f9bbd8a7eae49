#include "workflow/cmd_analize.h"

#include <gtest/gtest.h>

TEST(CmdAnalize, setsTheLetterOfEachArgumentWithTheRestAsItsValue) {
    const char* argv[] = {"tessaro", "/q", "-Q", "Q", "/path=abc", "123", "-", ""};
    CCmdAnalize cmd;
    cmd.ParseCommandLine(8, argv);
    EXPECT_EQ(cmd.flags['q' - 'a'], 1);
    EXPECT_EQ(cmd.values['q' - 'a'], "");
    EXPECT_EQ(cmd.flags['p' - 'a'], 1);
    EXPECT_EQ(cmd.values['p' - 'a'], "ath=abc");
    int set = 0;
    for (int flag : cmd.flags) {
        set += flag;
    }
    EXPECT_EQ(set, 2);
}

TEST(CmdAnalize, keepsTheValueOfTheLastArgumentOfALetter) {
    CCmdAnalize cmd;
    cmd.ParseParam("zfirst", false, false);
    cmd.ParseParam("Zsecond", false, true);
    EXPECT_EQ(cmd.values[25], "second");
    EXPECT_EQ(cmd.flags[0], 0);
    EXPECT_EQ(cmd.values[0], "");
}
