#include "platform/error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

TEST(ErrorText, givesOurJapaneseForTheCommonFailuresAndTheSystemsTextForOthers) {
    EXPECT_EQ(ErrorText(ENOSPC), "ディスクの空きがありません");
    EXPECT_EQ(ErrorText(EPERM), "この操作は許可されていません");
    EXPECT_EQ(ErrorText(EROFS), "読み取り専用のディスクです");
    EXPECT_EQ(ErrorText(EMFILE), ErrorText(ENFILE));
    for (const int error : {EACCES, ENOENT, EIO, ENAMETOOLONG, EEXIST, EXDEV, ENOTDIR, EISDIR,
                            ETIMEDOUT, ENODEV, EBUSY, EFBIG, ELOOP, EINVAL}) {
        EXPECT_NE(ErrorText(error), std::strerror(error)) << error;
    }
    EXPECT_EQ(ErrorText(EPROTONOSUPPORT), std::strerror(EPROTONOSUPPORT));
    EXPECT_EQ(ErrorText(123456), std::strerror(123456));
}
