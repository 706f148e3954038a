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

TEST(AdbSerialArgument, OrdinarySerialsStayAsTheyAre)
{
    for (const wchar_t* serial : {L"0123456789ABCDEF", L"emulator-5554", L"192.168.1.20:5555", L"????????????",
                                  L"a\\b", L"(x)", L"中文"}) {
        EXPECT_EQ(serial, AdbSerialArgument(serial));
    }
}

TEST(AdbSerialArgument, BlanksQuotesAndNothingAreQuoted)
{
    EXPECT_EQ(L"\"(no serial number)\"", AdbSerialArgument(L"(no serial number)"));
    EXPECT_EQ(L"\"my phone\"", AdbSerialArgument(L"my phone"));
    EXPECT_EQ(L"\"a\tb\"", AdbSerialArgument(L"a\tb"));
    EXPECT_EQ(L"\"\"", AdbSerialArgument(L""));
    EXPECT_EQ(L"\"a\\\"b\"", AdbSerialArgument(L"a\"b"));
    // Backslashes count only in front of a quote, the closing one included.
    EXPECT_EQ(L"\"a\\\\\\\"b\"", AdbSerialArgument(L"a\\\"b"));
    EXPECT_EQ(L"\"a b\\\\\"", AdbSerialArgument(L"a b\\"));
    EXPECT_EQ(L"\"a\\b c\"", AdbSerialArgument(L"a\\b c"));
    EXPECT_EQ(L"\"\\\"\\\" --x\"", AdbSerialArgument(L"\"\" --x"));
}
