#include <gtest/gtest.h>

#include "PermissionRows.h"

namespace {

// Fits a fixed number of units on every row.
RowFitter FixedWidth(std::size_t perRow)
{
    return [perRow](const std::wstring&) { return perRow; };
}

std::vector<std::wstring> Texts(const std::vector<PermissionRow>& rows)
{
    std::vector<std::wstring> texts;
    for (const PermissionRow& row : rows) texts.push_back(row.text);
    return texts;
}

}  // namespace

TEST(SortPermissionEntries, HighestFirstAndEqualLevelsInThePackagesOrder)
{
    std::vector<PermissionEntry> entries = {{L"first 80", L"", 80}, {L"100", L"", 100}, {L"second 80", L"", 80}};
    SortPermissionEntries(entries);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(L"100", entries[0].title);
    EXPECT_EQ(L"first 80", entries[1].title);
    EXPECT_EQ(L"second 80", entries[2].title);
}

TEST(SortPermissionEntries, StableBeyondThirtyTwoEntries)
{
    std::vector<PermissionEntry> entries;
    for (int i = 0; i < 100; ++i) entries.push_back({std::to_wstring(i), L"", 70 + (i % 3) * 10});
    SortPermissionEntries(entries);
    for (std::size_t i = 1; i < entries.size(); ++i) {
        ASSERT_GE(entries[i - 1].level, entries[i].level);
        if (entries[i - 1].level == entries[i].level) {
            EXPECT_LT(std::stoi(entries[i - 1].title), std::stoi(entries[i].title));
        }
    }
}

TEST(BuildPermissionRows, TitleRowThenDescriptionLines)
{
    const std::vector<PermissionEntry> entries = {
        {L"Read SMS", L"short", 100},
        {L"Camera", L"", 80},
        {L"", L"a description without a title", 90},
        {L"Location", L"abcdefghij", 70},
    };
    const std::vector<PermissionRow> rows = BuildPermissionRows(entries, FixedWidth(4));
    const std::vector<std::wstring> expected = {L"Read SMS", L"shor", L"t", L"Camera", L"Location", L"abcd", L"efgh", L"ij"};
    EXPECT_EQ(expected, Texts(rows));
    EXPECT_EQ(1, rows[0].isTitle);
    EXPECT_EQ(0, rows[1].isTitle);
    EXPECT_EQ(100, rows[1].level);
    EXPECT_EQ(1, rows[3].isTitle);
    EXPECT_EQ(70, rows[7].level);
}

TEST(BuildPermissionRows, MeasurementThatFitsNothingStillEnds)
{
    const std::vector<PermissionEntry> entries = {{L"T", L"abc", 80}};
    EXPECT_EQ((std::vector<std::wstring>{L"T", L"a", L"b", L"c"}), Texts(BuildPermissionRows(entries, FixedWidth(0))));
    // An answer beyond the text takes the rest.
    EXPECT_EQ((std::vector<std::wstring>{L"T", L"abc"}), Texts(BuildPermissionRows(entries, FixedWidth(99))));
}

TEST(BuildPermissionRows, NeverSplitsASurrogatePair)
{
    // U+1F600 twice: each is a high and a low surrogate.
    const std::wstring faces = L"a\xD83D\xDE00\xD83D\xDE00";
    const std::vector<PermissionEntry> entries = {{L"T", faces, 80}};
    // Two units would cut the first pair after its high half: the row stops before it.
    EXPECT_EQ((std::vector<std::wstring>{L"T", L"a", L"\xD83D\xDE00", L"\xD83D\xDE00"}),
              Texts(BuildPermissionRows(entries, FixedWidth(2))));
    // Nothing fits: a whole pair is still one step.
    EXPECT_EQ((std::vector<std::wstring>{L"T", L"a", L"\xD83D\xDE00", L"\xD83D\xDE00"}),
              Texts(BuildPermissionRows(entries, FixedWidth(0))));
}

TEST(NextRowLength, LoneSurrogatesAreTakenOneByOne)
{
    EXPECT_EQ(1u, NextRowLength(std::wstring(L"\xD83D"), 0));
    EXPECT_EQ(1u, NextRowLength(std::wstring(L"\xDE00\xD83D"), 0));
    EXPECT_EQ(2u, NextRowLength(std::wstring(L"\xDE00\xD83D"), 2));
}
