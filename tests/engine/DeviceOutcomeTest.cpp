#include <gtest/gtest.h>

#include <vector>

#include "DeviceOutcome.h"
#include "ExpectedTexts.h"
#include "TestData.h"
#include "resource.h"

namespace {

DeviceList Parse(const std::wstring& output)
{
    DeviceList devices;
    EXPECT_TRUE(ParseDeviceList(output, devices));
    return devices;
}

std::wstring DevicesCapture(const std::string& situation)
{
    return WidenBytes(ReadTestData("adb/" + situation + "__devices.txt"));
}

DeviceOutcome OutcomeOfCapture(const std::string& situation) { return DecideDeviceOutcome(Parse(DevicesCapture(situation))); }

DeviceOutcome OutcomeOfState(const std::wstring& stateText)
{
    return DecideDeviceOutcome(Parse(L"List of devices attached\r\nHT123ABC\t" + stateText + L"\r\n"));
}

}  // namespace

TEST(DeviceOutcome, NoPhoneAsksTheCompanion)
{
    EXPECT_EQ(DeviceOutcome::Action::AskCompanion, OutcomeOfCapture("empty").action);
    EXPECT_EQ(DeviceOutcome::Action::AskCompanion, DecideDeviceOutcome(DeviceList{}).action);
}

TEST(DeviceOutcome, ReadyPhoneIsInstalledToWithItsSerial)
{
    const DeviceOutcome outcome = OutcomeOfCapture("ready_modern");
    EXPECT_EQ(DeviceOutcome::Action::Install, outcome.action);
    EXPECT_EQ(L"0123456789ABCDEF", outcome.serial);
}

TEST(DeviceOutcome, KnownStatesOfTheOnlyPhoneGiveTheirCodes)
{
    const struct {
        const char* situation;
        NoDeviceCode code;
    } cases[] = {
        {"offline", NoDeviceCode::Offline},
        {"bootloader", NoDeviceCode::Bootloader},
        {"recovery", NoDeviceCode::Recovery},
        {"unauthorized", NoDeviceCode::Unauthorized},
    };
    for (const auto& c : cases) {
        const DeviceOutcome outcome = OutcomeOfCapture(c.situation);
        EXPECT_EQ(DeviceOutcome::Action::ReportNoDevice, outcome.action) << c.situation;
        EXPECT_EQ(c.code, outcome.code) << c.situation;
    }
}

TEST(DeviceOutcome, EveryOtherStateEndsInAnOutcomeToo)
{
    EXPECT_EQ(NoDeviceCode::Unauthorized, OutcomeOfState(L"UNAUTHORIZED").code);
    EXPECT_EQ(NoDeviceCode::Authorizing, OutcomeOfState(L"authorizing").code);
    EXPECT_EQ(NoDeviceCode::Connecting, OutcomeOfState(L"connecting").code);
    EXPECT_EQ(NoDeviceCode::NoPermissions,
              OutcomeOfState(L"no permissions (user in plugdev group; are your udev rules wrong?)").code);
    EXPECT_EQ(NoDeviceCode::NoPermissions, OutcomeOfState(L"no permissions").code);
    for (const wchar_t* state : {L"sideload", L"host", L"rescue", L"", L"unauthorized2", L"devices"}) {
        const DeviceOutcome outcome = OutcomeOfState(state);
        EXPECT_EQ(DeviceOutcome::Action::ReportNoDevice, outcome.action) << state;
        EXPECT_EQ(NoDeviceCode::UnknownState, outcome.code) << state;
    }
}

TEST(DeviceOutcome, ReadyPhoneAfterAnOfflineOneIsChosen)
{
    const DeviceOutcome outcome = DecideDeviceOutcome(Parse(L"List of devices attached\nA1\toffline\nB2\tdevice\n"));
    EXPECT_EQ(DeviceOutcome::Action::Install, outcome.action);
    EXPECT_EQ(L"B2", outcome.serial);
}

TEST(DeviceOutcome, WithoutReadyPhoneTheFirstOneDecides)
{
    EXPECT_EQ(NoDeviceCode::Offline, DecideDeviceOutcome(Parse(L"List of devices attached\nA\toffline\nB\toffline\n")).code);
    EXPECT_EQ(NoDeviceCode::Recovery,
              DecideDeviceOutcome(Parse(L"List of devices attached\nA\trecovery\nB\tbootloader\n")).code);
    EXPECT_EQ(NoDeviceCode::Unauthorized,
              DecideDeviceOutcome(Parse(L"List of devices attached\nA\tunauthorized\nB\toffline\n")).code);
}

TEST(DeviceOutcome, NoPhoneWithoutAdbIsReportedAsMissingAdb)
{
    EXPECT_EQ(NoDeviceCode::NoDevice, NoDeviceCodeWithoutCompanion(true));
    EXPECT_EQ(NoDeviceCode::AdbMissing, NoDeviceCodeWithoutCompanion(false));
}

TEST(DeviceOutcome, DevicesOutputWithoutItsHeaderIsAnAdbThatCannotRun)
{
    // adb.exe without its DLL prints nothing at all.
    for (const std::wstring output : {L"", L"\r\n", L"something else\r\n"}) {
        const DeviceOutcome outcome = DecideDevicesOutput(output);
        EXPECT_EQ(DeviceOutcome::Action::ReportNoDevice, outcome.action) << output.size();
        EXPECT_EQ(NoDeviceCode::AdbCannotRun, outcome.code) << output.size();
    }
    // One whose server is another program's, or cannot be started or reached, says so.
    for (const char* situation : {"server_garbage", "server_fail_start", "server_close"}) {
        const DeviceOutcome outcome = DecideDevicesOutput(DevicesCapture(situation));
        EXPECT_EQ(DeviceOutcome::Action::ReportNoDevice, outcome.action) << situation;
        EXPECT_EQ(NoDeviceCode::AdbServerHeld, outcome.code) << situation;
        EXPECT_EQ(IDS_ADB_HELD_BY_UNKNOWN, NoDeviceMessageId(std::int32_t(outcome.code))) << situation;
    }
    // With the header, the list decides: no phone still asks the companion.
    EXPECT_EQ(DeviceOutcome::Action::AskCompanion, DecideDevicesOutput(DevicesCapture("empty")).action);
    EXPECT_EQ(DeviceOutcome::Action::AskCompanion, DecideDevicesOutput(DevicesCapture("no_server")).action);
    EXPECT_EQ(DeviceOutcome::Action::Install, DecideDevicesOutput(DevicesCapture("ready_modern")).action);
    EXPECT_EQ(NoDeviceCode::Offline, DecideDevicesOutput(DevicesCapture("offline")).code);
}

TEST(NoDeviceMessageId, EveryCodeHasItsText)
{
    const struct {
        NoDeviceCode code;
        unsigned id;
    } cases[] = {
        {NoDeviceCode::NoDevice, 587},     {NoDeviceCode::Offline, 525},      {NoDeviceCode::Bootloader, 527},
        {NoDeviceCode::Recovery, 528},     {NoDeviceCode::AdbMissing, 526},   {NoDeviceCode::Unauthorized, 530},
        {NoDeviceCode::Authorizing, 531},  {NoDeviceCode::Connecting, 532},   {NoDeviceCode::NoPermissions, 533},
        {NoDeviceCode::UnknownState, 534}, {NoDeviceCode::AdbCannotRun, 537}, {NoDeviceCode::AdbServerHeld, 586},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.id, NoDeviceMessageId(std::int32_t(c.code))) << int(c.code);
        EXPECT_FALSE(ExpectedTextFor(c.id).empty()) << c.id;
    }
    EXPECT_NE(std::wstring::npos, ExpectedTextFor(NoDeviceMessageId(7)).find(L"USB调试"))
        << "an unauthorized phone must tell the user to allow USB debugging";
}

TEST(NoDeviceMessageId, CodesWithoutTextLeaveTheStatusAsItWas)
{
    for (std::int32_t code : {1, 3, 14, 100, -1}) EXPECT_EQ(0u, NoDeviceMessageId(code)) << code;
}

TEST(DecideDevicesOutput, ChosenSerialWinsWhileReadyAndANamedOneIsTheOnlyOne)
{
    const std::wstring list = L"List of devices attached\r\nA\tdevice\r\nB\tdevice\r\nC\tunauthorized\r\n";
    EXPECT_EQ(L"B", DecideDevicesOutput(list, L"B").serial);
    EXPECT_EQ(L"A", DecideDevicesOutput(list, L"C").serial);  // not ready: the usual choice
    EXPECT_EQ(L"A", DecideDevicesOutput(list, L"gone").serial);

    EXPECT_EQ(L"B", DecideOutcomeForSerial(list, L"B").serial);
    const DeviceOutcome unready = DecideOutcomeForSerial(list, L"C");
    EXPECT_EQ(DeviceOutcome::Action::ReportNoDevice, unready.action);
    EXPECT_EQ(NoDeviceCode::Unauthorized, unready.code);
    const DeviceOutcome missing = DecideOutcomeForSerial(list, L"gone");
    EXPECT_EQ(DeviceOutcome::Action::ReportNoDevice, missing.action);  // never the companion
    EXPECT_EQ(NoDeviceCode::NoDevice, missing.code);
}
