#include <gtest/gtest.h>

#include "LongPath.h"

TEST(AddExtendedLengthPrefix, DriveAndUncPathsGetTheirOwnForms)
{
    EXPECT_EQ(L"\\\\?\\C:\\dir\\a.apk", AddExtendedLengthPrefix(L"C:\\dir\\a.apk"));
    EXPECT_EQ(L"\\\\?\\z:\\a", AddExtendedLengthPrefix(L"z:\\a"));
    EXPECT_EQ(L"\\\\?\\UNC\\server\\share\\a.apk", AddExtendedLengthPrefix(L"\\\\server\\share\\a.apk"));
}

TEST(AddExtendedLengthPrefix, AlreadyExtendedOrNotAFullPathStaysAsItIs)
{
    EXPECT_EQ(L"\\\\?\\C:\\a", AddExtendedLengthPrefix(L"\\\\?\\C:\\a"));
    EXPECT_EQ(L"\\\\.\\pipe\\x", AddExtendedLengthPrefix(L"\\\\.\\pipe\\x"));
    EXPECT_EQ(L"relative\\a.apk", AddExtendedLengthPrefix(L"relative\\a.apk"));
    EXPECT_EQ(L"C:a.apk", AddExtendedLengthPrefix(L"C:a.apk"));
    EXPECT_EQ(L"", AddExtendedLengthPrefix(L""));
}

TEST(ExtendedLengthPath, PathsWithinTheClassicLimitAreNotTouched)
{
    const std::wstring shortPath = L"C:\\" + std::wstring(240, L'a');
    EXPECT_EQ(shortPath, ExtendedLengthPath(shortPath));
}

#ifdef _WIN32
TEST(ExtendedLengthPath, LongPathsAreMadeWholeAndPrefixed)
{
    const std::wstring folder(300, L'b');
    EXPECT_EQ(L"\\\\?\\C:\\" + folder + L"\\x.apk", ExtendedLengthPath(L"C:\\" + folder + L"\\.\\y\\..\\x.apk"));
    EXPECT_EQ(L"\\\\?\\C:\\" + folder + L"\\x.apk", ExtendedLengthPath(L"C:/" + folder + L"/x.apk"));
}
#endif

TEST(ExactExtendedPath, DotsAndBlanksThatEndTheNameArePutBack)
{
    EXPECT_EQ(L"\\\\?\\C:\\d\\game.apk.", ExactExtendedPath(L"C:\\d\\game.apk.", L"C:\\d\\game.apk"));
    EXPECT_EQ(L"\\\\?\\C:\\d\\game.apk . ", ExactExtendedPath(L"game.apk . ", L"C:\\d\\game.apk"));
    // Whatever part of the tail the system kept, the whole tail comes back once.
    EXPECT_EQ(L"\\\\?\\C:\\d\\game.apk..", ExactExtendedPath(L"d/game.apk..", L"C:\\d\\game.apk."));
    EXPECT_EQ(L"\\\\?\\UNC\\s\\share\\a.apk ", ExactExtendedPath(L"\\\\s\\share\\a.apk ", L"\\\\s\\share\\a.apk"));
}

TEST(ExactExtendedPath, StepsSeparatorsAndPlainNamesAreTheSystemsForm)
{
    EXPECT_EQ(L"\\\\?\\C:\\d\\a.apk", ExactExtendedPath(L"C:/d/./a.apk", L"C:\\d\\a.apk"));
    EXPECT_EQ(L"\\\\?\\C:\\d", ExactExtendedPath(L"C:\\d\\x\\..", L"C:\\d"));
    EXPECT_EQ(L"\\\\?\\C:\\d", ExactExtendedPath(L"C:\\d\\.", L"C:\\d"));
    EXPECT_EQ(L"\\\\?\\C:\\d", ExactExtendedPath(L"C:..", L"C:\\d"));
    EXPECT_EQ(L"\\\\?\\C:\\d\\", ExactExtendedPath(L"C:\\d\\ ", L"C:\\d\\"));
    // The user's own extended-length form names its file exactly already.
    EXPECT_EQ(L"\\\\?\\C:\\d\\a.", ExactExtendedPath(L"\\\\?\\C:\\d\\a.", L"\\\\?\\C:\\d\\a"));
    EXPECT_EQ(L"relative.apk.", ExactExtendedPath(L"relative.apk.", L"relative.apk"));
}

#ifdef _WIN32
TEST(ExactFilePath, ARelativeNameIsMadeAbsoluteWithItsEndKept)
{
    const std::wstring folder = FullPathName(L"sub");
    EXPECT_EQ(L"\\\\?\\" + folder + L"\\game.apk. ", ExactFilePath(L"sub\\game.apk. "));
    EXPECT_EQ(folder + L"\\game.apk.", ExactFullPathName(L"sub/game.apk."));
    EXPECT_EQ(L"\\\\?\\" + folder + L"\\game.apk", ExactFilePath(L"sub\\game.apk"));
}
#endif
