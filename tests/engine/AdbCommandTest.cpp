#include <gtest/gtest.h>

#include "AdbCommand.h"

TEST(AdbCommand, QuotesPathsButNeverTheSerial)
{
    EXPECT_EQ(L"\"C:\\Program Files\\A\\adb.exe\" -s HT 12 install -r -s \"C:\\T\\1.apk\"",
              FormatAdbCommand(kAdbInstallToSd, {L"C:\\Program Files\\A\\adb.exe", L"HT 12", L"C:\\T\\1.apk"}));
}

TEST(AdbCommand, EveryTemplate)
{
    const std::wstring adb = L"C:\\a b\\adb.exe";
    EXPECT_EQ(L"\"C:\\a b\\adb.exe\" devices", FormatAdbCommand(kAdbDevices, {adb}));
    EXPECT_EQ(L"\"C:\\a b\\adb.exe\" -s X shell getprop ro.build.version.sdk", FormatAdbCommand(kAdbGetSdk, {adb, L"X"}));
    EXPECT_EQ(L"\"C:\\a b\\adb.exe\" -s X shell pm getInstallLocation",
              FormatAdbCommand(kAdbGetInstallLocation, {adb, L"X"}));
    EXPECT_EQ(L"\"C:\\a b\\adb.exe\" -s X install -r -f \"p.apk\"", FormatAdbCommand(kAdbInstallToPhone, {adb, L"X", L"p.apk"}));
    EXPECT_EQ(L"\"C:\\a b\\adb.exe\" -s X install -r \"p.apk\"", FormatAdbCommand(kAdbInstall, {adb, L"X", L"p.apk"}));
}

TEST(AdbCommand, PercentSignsInsideArgumentsAreNotFormats)
{
    EXPECT_EQ(L"\"%s%d\" devices", FormatAdbCommand(kAdbDevices, {L"%s%d"}));
}

TEST(AdbCommand, MissingArgumentsLeaveMarksOut)
{
    EXPECT_EQ(L"\"\" -s  shell getprop ro.build.version.sdk", FormatAdbCommand(kAdbGetSdk, {}));
}
