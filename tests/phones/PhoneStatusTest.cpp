#include <gtest/gtest.h>

#include "AdbServerPort.h"
#include "PhoneStatus.h"
#include "TestData.h"
#include "resource.h"

namespace {

PhoneLine LineFor(const std::wstring& output, const std::wstring& chosen = std::wstring())
{
    return PhoneStatusLine(ReadPhoneStatus(true, output, true), chosen);
}

const std::wstring kHeader = L"List of devices attached\r\n";

}  // namespace

TEST(PhoneStatus, EachListFormGetsItsLine)
{
    const struct {
        std::wstring phones;
        unsigned id;
        const wchar_t* argument;
    } cases[] = {
        {L"", IDS_PHONE_CONNECT, L""},
        {L"EMU1 device product:p model:Pixel_7 device:d transport_id:1\r\n", IDS_PHONE_WILL_INSTALL_TO, L"Pixel 7"},
        {L"EMU1 device transport_id:1\r\n", IDS_PHONE_WILL_INSTALL_TO, L"EMU1"},
        {L"EMU1 unauthorized usb:1-1 transport_id:1\r\n", IDS_PHONE_ALLOW_DEBUGGING, L""},
        {L"EMU1 authorizing transport_id:1\r\n", IDS_PHONE_ALLOW_DEBUGGING, L""},
        {L"EMU1 offline transport_id:1\r\n", IDS_PHONE_OFFLINE, L""},
        {L"EMU1 bootloader\r\n", IDS_DEVICE_BOOTING, L""},
        {L"EMU1 recovery\r\n", IDS_DEVICE_RECOVERY, L""},
        {L"EMU1 connecting\r\n", IDS_PHONE_RECONNECT, L""},
        // A ready phone wins over one listed before it that is not.
        {L"EMU1 unauthorized\r\nEMU2 device model:SM_G9910 transport_id:2\r\n", IDS_PHONE_WILL_INSTALL_TO,
         L"SM G9910"},
    };
    for (const auto& c : cases) {
        const PhoneLine line = LineFor(kHeader + c.phones);
        EXPECT_EQ(c.id, line.textId) << c.phones;
        EXPECT_EQ(c.argument, line.argument) << c.phones;
    }
}

TEST(PhoneStatus, ServerTroubleIsAConflictEvenWithAList)
{
    const wchar_t* outputs[] = {
        L"adb server version (31) doesn't match this client (40); killing...\r\n* daemon started successfully\r\n"
        L"List of devices attached\r\nEMU1 device model:X\r\n",
        L"* daemon not running; starting now at tcp:5037\r\nerror: cannot connect to daemon\r\n",
        L"* failed to start daemon\r\nadb: error: failed to get feature set\r\n",
        L"error: could not read ok from ADB Server\r\n",
        L"adb: error: protocol fault (couldn't read status): Undefined error: 0\r\n",
    };
    for (const wchar_t* output : outputs) {
        PhoneStatus status = ReadPhoneStatus(true, output, true);
        EXPECT_EQ(PhoneStatusKind::ServerConflict, status.kind) << output;
        EXPECT_EQ(IDS_ADB_HELD_BY_UNKNOWN, PhoneStatusLine(status, L"").textId) << output;
        status.portHolder = L"PhoneAssistant.exe";
        const PhoneLine named = PhoneStatusLine(status, L"");
        EXPECT_EQ(IDS_ADB_HELD_BY_FMT, named.textId);
        EXPECT_EQ(L"PhoneAssistant.exe", named.argument);
    }
}

TEST(PhoneStatus, AdbThatDidNotRunOrPrintedNoList)
{
    EXPECT_EQ(IDS_ADB_MISSING, PhoneStatusLine(ReadPhoneStatus(false, L"", false), L"").textId);
    EXPECT_EQ(IDS_ADB_CANNOT_RUN, PhoneStatusLine(ReadPhoneStatus(false, L"", true), L"").textId);
    EXPECT_EQ(IDS_ADB_CANNOT_RUN, PhoneStatusLine(ReadPhoneStatus(true, L"something else\r\n", true), L"").textId);
    EXPECT_EQ(0u, PhoneStatusLine(PhoneStatus(), L"").textId);  // nothing asked yet: no line
}

TEST(PhoneStatus, ChosenPhoneIsNamedAndChangesAreSeen)
{
    const std::wstring two = kHeader + L"A device model:First\r\nB device model:Second\r\n";
    EXPECT_EQ(L"Second", LineFor(two, L"B").argument);
    EXPECT_EQ(L"First", LineFor(two, L"gone").argument);

    const PhoneStatus before = ReadPhoneStatus(true, two, true);
    EXPECT_EQ(before, ReadPhoneStatus(true, two, true));
    EXPECT_NE(before, ReadPhoneStatus(true, kHeader + L"A device model:First\r\nB unauthorized\r\n", true));
    EXPECT_NE(before, ReadPhoneStatus(true, kHeader + L"A device model:First\r\n", true));
}

TEST(AdbServerPort, VariableOrDefault)
{
    EXPECT_EQ(5037, ParseAdbServerPort(nullptr));
    EXPECT_EQ(5037, ParseAdbServerPort(L""));
    EXPECT_EQ(6000, ParseAdbServerPort(L"6000"));
    EXPECT_EQ(5037, ParseAdbServerPort(L"60x"));
    EXPECT_EQ(5037, ParseAdbServerPort(L"70000"));
    EXPECT_EQ(5037, ParseAdbServerPort(L"0"));
}

TEST(AdbServerPort, HolderNamedByFileNameUnlessItIsOurAdb)
{
    EXPECT_EQ(L"PhoneAssistant.exe", PortHolderFromPath(L"C:\\Program Files\\Helper\\PhoneAssistant.exe", L"C:\\ours\\adb.exe"));
    EXPECT_EQ(L"adb.exe", PortHolderFromPath(L"C:\\Helper\\adb.exe", L"C:\\ours\\adb.exe"));  // another adb
    EXPECT_EQ(L"", PortHolderFromPath(L"C:\\OURS\\ADB.EXE", L"C:\\ours\\adb.exe"));
    EXPECT_EQ(L"", PortHolderFromPath(L"", L"C:\\ours\\adb.exe"));
}

TEST(PhoneStatus, CapturedVersionFightIsAConflict)
{
    const std::wstring output = WidenBytes(ReadTestData("adb/version_mismatch__devices.txt"));
    EXPECT_EQ(PhoneStatusKind::ServerConflict, ReadPhoneStatus(true, output, true).kind);
    EXPECT_EQ(PhoneStatusKind::NoPhone,
              ReadPhoneStatus(true, WidenBytes(ReadTestData("adb/empty__devices.txt")), true).kind);
}
