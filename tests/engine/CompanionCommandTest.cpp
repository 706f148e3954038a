#include <gtest/gtest.h>

#include "CompanionCommand.h"

TEST(CompanionHandOverParameters, PathWithBlankIsQuoted)
{
    EXPECT_EQ(L"\"C:\\My Apps\\game.apk\"", CompanionHandOverParameters(L"C:\\My Apps\\game.apk"));
    EXPECT_EQ(L"\"C:\\下载 文件\\游戏.apk\"", CompanionHandOverParameters(L"C:\\下载 文件\\游戏.apk"));
}

TEST(CompanionHandOverParameters, PathWithoutBlankIsBare)
{
    EXPECT_EQ(L"C:\\apps\\game.apk", CompanionHandOverParameters(L"C:\\apps\\game.apk"));
    EXPECT_EQ(L"C:\\apps\\a\tb.apk", CompanionHandOverParameters(L"C:\\apps\\a\tb.apk"));
    EXPECT_EQ(L"", CompanionHandOverParameters(L""));
}
