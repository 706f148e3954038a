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
