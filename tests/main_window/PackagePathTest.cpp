#include <gtest/gtest.h>

#include "PackagePath.h"

TEST(FindExtension, LastDotOfTheFileNamePart)
{
    EXPECT_EQ(L".apk", FindExtension(L"C:\\dir\\game.apk"));
    EXPECT_EQ(L".apk", FindExtension(L"C:\\dir\\game.v2.apk"));
    EXPECT_EQ(L"", FindExtension(L"C:\\dir.d\\game"));
    EXPECT_EQ(L"", FindExtension(L"C:\\dir\\game.apk backup"));
    EXPECT_EQ(L".", FindExtension(L"C:\\dir\\game."));
    EXPECT_EQ(L"", FindExtension(L""));
}

TEST(HasApkExtension, AnyAsciiLetterCase)
{
    EXPECT_TRUE(HasApkExtension(L"C:\\a\\b.apk"));
    EXPECT_TRUE(HasApkExtension(L"C:\\a\\b.APK"));
    EXPECT_TRUE(HasApkExtension(L"C:\\a\\b.Apk"));
    EXPECT_FALSE(HasApkExtension(L"C:\\a\\b.apk.txt"));
    EXPECT_FALSE(HasApkExtension(L"C:\\a\\b.apks"));
    EXPECT_FALSE(HasApkExtension(L"C:\\a\\b"));
    EXPECT_FALSE(HasApkExtension(L"C:\\a\\apk"));
    // Full-width letters are not ASCII letters.
    EXPECT_FALSE(HasApkExtension(L"C:\\a\\b.\xFF41pk"));
}

TEST(HasPackageExtension, PackagesAndBundlesInAnyLetterCase)
{
    for (const wchar_t* name : {L"C:\\a\\b.apk", L"C:\\a\\b.XAPK", L"C:\\a\\b.Apks", L"C:\\a\\b.apkM"}) {
        EXPECT_TRUE(HasPackageExtension(name)) << name;
    }
    for (const wchar_t* name : {L"C:\\a\\b.zip", L"C:\\a\\b.xapk.txt", L"C:\\a\\b.apkx", L"C:\\a\\xapk"}) {
        EXPECT_FALSE(HasPackageExtension(name)) << name;
    }
}
