#include <gtest/gtest.h>

#include "WindowTexts.h"

TEST(FormatWithText, ReplacesTheFirstMarkOnly)
{
    EXPECT_EQ(L"\x7248\x672C\xFF1A" L"5.0.0", FormatWithText(L"\x7248\x672C\xFF1A%s", L"5.0.0"));
    EXPECT_EQ(L"a %d %s", FormatWithText(L"%s %d %s", L"a"));
    EXPECT_EQ(L"no mark", FormatWithText(L"no mark", L"x"));
}

TEST(FormatWithText, ValueIsNeverReadAsATemplate)
{
    EXPECT_EQ(L"size: 100%s %d", FormatWithText(L"size: %s", L"100%s %d"));
}

TEST(FormatWithNumber, CountdownText)
{
    EXPECT_EQ(L"closes in 5 s", FormatWithNumber(L"closes in %d s", 5));
    EXPECT_EQ(L"closes in 0 s", FormatWithNumber(L"closes in %d s", 0));
    EXPECT_EQ(L"-1", FormatWithNumber(L"%d", -1));
}
