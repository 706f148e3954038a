#include <gtest/gtest.h>

#include "BundleCommands.h"
#include "InstallMessages.h"
#include "InstallProgress.h"
#include "resource.h"

TEST(BundleCommands, InstallMultipleWithTheLocationOfTheSequence)
{
    EXPECT_EQ(FormatInstallMultiple(L"C:\\adb dir\\adb.exe", L"EMU1", InstallLocationOption(false, L"0\r\n"),
                                    {L"C:\\T\\12.apk", L"C:\\T\\13.apk"}),
              L"\"C:\\adb dir\\adb.exe\" -s EMU1 install-multiple -r -f \"C:\\T\\12.apk\" \"C:\\T\\13.apk\"");
    EXPECT_EQ(FormatInstallMultiple(L"adb", L"S", InstallLocationOption(false, L"Error: unknown command"), {L"a"}),
              L"\"adb\" -s S install-multiple -r \"a\"");
    EXPECT_EQ(FormatInstallMultiple(L"adb", L"S", InstallLocationOption(true, L""), {L"a"}),
              L"\"adb\" -s S install-multiple -r -s \"a\"");
}

TEST(BundleCommands, ExpansionPathsStayInTheAppsFolder)
{
    std::wstring path;
    ASSERT_TRUE(ExpansionPhonePath("org.example.app", "main.3.org.example.app.obb", path));
    EXPECT_EQ(path, L"/sdcard/Android/obb/org.example.app/main.3.org.example.app.obb");
    for (const char* bad : {"..", "a/b.obb", "a b.obb", "a\"b", "$(rm).obb", ""}) {
        EXPECT_FALSE(ExpansionPhonePath("org.example.app", bad, path)) << bad;
        EXPECT_FALSE(ExpansionPhonePath(bad, "main.obb", path)) << bad;
    }
}

TEST(BundleCommands, SizeFromTheListing)
{
    std::uint64_t size = 0;
    ASSERT_TRUE(ParseListedSize(L"-rw-rw---- 1 root sdcard_rw 1073741824 2024-05-01 10:00 /sdcard/Android/obb/p/main.obb\r\n",
                                size));
    EXPECT_EQ(size, 1073741824u);
    ASSERT_TRUE(ParseListedSize(L"-rw-rw-r-- root     sdcard_rw     5000 2014-01-01 00:00 main.obb", size));
    EXPECT_EQ(size, 5000u);
    EXPECT_FALSE(ParseListedSize(L"ls: /sdcard/x: No such file or directory\r\n", size));
}

TEST(InstallProgress, StepTexts)
{
    EXPECT_EQ(ProgressTextId(kProgressInstalling), unsigned(IDS_BUNDLE_INSTALLING_FMT));
    EXPECT_EQ(ProgressTextId(7), 0u);
    EXPECT_EQ(FormatProgress(L"installing %d files", kProgressInstalling, 3), L"installing 3 files");
    EXPECT_EQ(FormatProgress(L"data %d/%d...", kProgressCopyingData, CopyingDataDetail(2, 3)), L"data 2/3...");
}
