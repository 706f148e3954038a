#include <gtest/gtest.h>

#include "DeviceList.h"
#include "TestData.h"

namespace {

DeviceList Parse(const std::wstring& output, DeviceListForm form = DeviceListForm::Plain)
{
    DeviceList devices;
    EXPECT_TRUE(ParseDeviceList(output, devices, form));
    return devices;
}

DeviceList ParseLong(const std::wstring& output) { return Parse(output, DeviceListForm::Long); }

DeviceList ParseCapture(const std::string& situation)
{
    return Parse(WidenBytes(ReadTestData("adb/" + situation + "__devices.txt")));
}

}  // namespace

TEST(DeviceListCaptures, NoPhoneGivesEmptyList)
{
    EXPECT_TRUE(ParseCapture("empty").empty());
}

TEST(DeviceListCaptures, OneReadyPhoneKeepsWholeSerialAfterHeaderWithoutBlank)
{
    const DeviceList devices = ParseCapture("ready_modern");
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ(L"0123456789ABCDEF", devices[0].serial);
    EXPECT_EQ(DeviceState::Ready, devices[0].state);
}

TEST(DeviceListCaptures, StatesOfSinglePhone)
{
    const struct {
        const char* situation;
        DeviceState state;
        const wchar_t* text;
    } cases[] = {
        {"offline", DeviceState::Offline, L"offline"},
        {"bootloader", DeviceState::Bootloader, L"bootloader"},
        {"recovery", DeviceState::Recovery, L"recovery"},
        {"unauthorized", DeviceState::Unrecognised, L"unauthorized"},
    };
    for (const auto& c : cases) {
        const DeviceList devices = ParseCapture(c.situation);
        ASSERT_EQ(1u, devices.size()) << c.situation;
        EXPECT_EQ(L"0123456789ABCDEF", devices[0].serial) << c.situation;
        EXPECT_EQ(c.state, devices[0].state) << c.situation;
        EXPECT_EQ(c.text, devices[0].stateText) << c.situation;
    }
}

TEST(DeviceListCaptures, TwoPhonesInOrder)
{
    const DeviceList devices = ParseCapture("two_devices");
    ASSERT_EQ(2u, devices.size());
    EXPECT_EQ(L"0123456789ABCDEF", devices[0].serial);
    EXPECT_EQ(L"emulator-5554", devices[1].serial);
    EXPECT_EQ(DeviceState::Ready, devices[1].state);
}

TEST(DeviceListCaptures, ServerNotesBeforeHeaderAreIgnored)
{
    EXPECT_TRUE(ParseCapture("no_server").empty());
}

TEST(DeviceListCaptures, ClientErrorWithoutHeaderIsNotAList)
{
    DeviceList devices;
    EXPECT_FALSE(ParseDeviceList(WidenBytes(ReadTestData("adb/server_garbage__devices.txt")), devices));
    EXPECT_TRUE(devices.empty());
}

TEST(DeviceListHeader, OldFormatWithBlankAndCrLf)
{
    const DeviceList devices = Parse(L"List of devices attached \r\nHT123ABC\tdevice\r\n\r\n");
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ(L"HT123ABC", devices[0].serial);
    EXPECT_EQ(DeviceState::Ready, devices[0].state);
}

TEST(DeviceListHeader, NewFormatWithCrLfKeepsFirstCharacterOfSerial)
{
    const DeviceList devices = Parse(L"List of devices attached\r\nHT123ABC\tdevice\r\n\r\n");
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ(L"HT123ABC", devices[0].serial);
}

TEST(DeviceListHeader, NewFormatWithLfOnly)
{
    const DeviceList devices = Parse(L"List of devices attached\nHT123ABC\tdevice\n\n");
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ(L"HT123ABC", devices[0].serial);
}

TEST(DeviceListHeader, MixedCaseHeaderIsFound)
{
    const DeviceList devices = Parse(L"list OF Devices ATTACHED\r\nabc\tDEVICE\r\n");
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ(DeviceState::Ready, devices[0].state);
}

TEST(DeviceListHeader, MissingHeaderGivesFalseAndNoEntries)
{
    DeviceList devices;
    EXPECT_FALSE(ParseDeviceList(L"HT123ABC\tdevice\r\n", devices));
    EXPECT_FALSE(ParseDeviceList(L"", devices));
    EXPECT_TRUE(devices.empty());
}

TEST(DeviceListHeader, OutputEndingRightAfterHeader)
{
    EXPECT_TRUE(Parse(L"List of devices attached \r\n").empty());
    EXPECT_TRUE(Parse(L"List of devices attached").empty());
}

TEST(DeviceListLines, StateTextIgnoresLetterCase)
{
    const DeviceList devices = Parse(L"List of devices attached\nA\toffline\nB\tOFFLINE\nC\tRecovery\nD\tBootLoader\n");
    ASSERT_EQ(4u, devices.size());
    EXPECT_EQ(DeviceState::Offline, devices[0].state);
    EXPECT_EQ(DeviceState::Offline, devices[1].state);
    EXPECT_EQ(DeviceState::Recovery, devices[2].state);
    EXPECT_EQ(DeviceState::Bootloader, devices[3].state);
}

TEST(DeviceListLines, UnknownOrEmptyStateTextIsUnrecognised)
{
    const DeviceList devices =
        Parse(L"List of devices attached\nA\tunauthorized\nB\t\nC\tno permissions (user in plugdev group)\nD\tdevices\n");
    ASSERT_EQ(4u, devices.size());
    for (const DeviceEntry& entry : devices) EXPECT_EQ(DeviceState::Unrecognised, entry.state) << entry.serial;
}

TEST(DeviceListLines, SerialIsEverythingBeforeLastTab)
{
    const DeviceList devices = Parse(L"List of devices attached\nabc\tdef\tdevice\n");
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ(L"abc\tdef", devices[0].serial);
    EXPECT_EQ(DeviceState::Ready, devices[0].state);
}

TEST(DeviceListLines, LinesWithoutTabOrStartingWithTabAreSkipped)
{
    const DeviceList devices =
        Parse(L"List of devices attached\n\tdevice\nno tab here\nEMU1    device usb:1-1\n  spaced\tdevice\n");
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ(L"  spaced", devices[0].serial);  // not trimmed
}

TEST(DeviceListLines, ShellLineEndsWithDoubledCarriageReturn)
{
    const DeviceList devices = Parse(L"List of devices attached\r\r\nX1\tdevice\r\r\n");
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ(L"X1", devices[0].serial);
}

TEST(DeviceListLongForm, FieldsAfterPaddedSerialAndState)
{
    const DeviceList phones = ParseLong(L"List of devices attached\r\n"
                                        L"EMU0001                device usb:1-1 product:bullhead model:Nexus_5X "
                                        L"device:bullhead transport_id:1\r\n"
                                        L"EMU0002                device product:blueline model:Pixel_3 transport_id:2\r\n"
                                        L"\r\n");
    ASSERT_EQ(2u, phones.size());
    EXPECT_EQ(L"EMU0001", phones[0].serial);
    EXPECT_EQ(DeviceState::Ready, phones[0].state);
    EXPECT_EQ(L"Nexus_5X", phones[0].model);
    EXPECT_EQ(L"bullhead", phones[0].product);
    EXPECT_EQ(L"bullhead", phones[0].device);
    EXPECT_EQ(L"1", phones[0].transportId);
    EXPECT_EQ(L"Pixel_3", phones[1].model);
    EXPECT_EQ(L"", phones[1].device);
}

TEST(DeviceListLongForm, LinesWithoutFieldsAndStatesOfSeveralWords)
{
    const DeviceList phones = ParseLong(L"List of devices attached\n"
                                        L"EMU0001                unauthorized usb:1-1 transport_id:3\n"
                                        L"EMU0002 offline\n"
                                        L"EMU0003                no permissions (user in plugdev group; are your udev "
                                        L"rules wrong?); see [http://developer.android.com/tools/device.html] "
                                        L"usb:1-2 transport_id:4\n"
                                        L"   \n"
                                        L" EMU0004 device\n"
                                        L"EMU0005\n");
    ASSERT_EQ(3u, phones.size());
    EXPECT_EQ(L"unauthorized", phones[0].stateText);
    EXPECT_EQ(DeviceState::Unrecognised, phones[0].state);
    EXPECT_EQ(L"", phones[0].model);
    EXPECT_EQ(L"3", phones[0].transportId);
    EXPECT_EQ(DeviceState::Offline, phones[1].state);
    EXPECT_EQ(L"", phones[1].transportId);
    EXPECT_EQ(0u, phones[2].stateText.find(L"no permissions (user in plugdev group;"));
    EXPECT_EQ(L"4", phones[2].transportId);
}

TEST(DeviceListLongForm, TabbedLinesReadAsInPlainForm)
{
    const DeviceList phones = ParseLong(L"* daemon started successfully\r\nList of devices attached\r\nHT1\tdevice\r\n"
                                        L"a b\tDEVICE\r\n\tdevice\r\n");
    ASSERT_EQ(2u, phones.size());
    EXPECT_EQ(L"HT1", phones[0].serial);
    EXPECT_EQ(L"a b", phones[1].serial);  // before the tab, blanks and all
    EXPECT_EQ(DeviceState::Ready, phones[1].state);
}

TEST(ChooseDevice, EmptyListHasNoChoice)
{
    EXPECT_EQ(nullptr, ChooseDevice(DeviceList{}));
}

TEST(ChooseDevice, OnlyPhoneIsChosenWhateverItsState)
{
    const DeviceList devices = Parse(L"List of devices attached\nA\tunauthorized\n");
    ASSERT_NE(nullptr, ChooseDevice(devices));
    EXPECT_EQ(L"A", ChooseDevice(devices)->serial);
}

TEST(ChooseDevice, FirstReadyPhoneAmongSeveral)
{
    const DeviceList devices = Parse(L"List of devices attached\nA\toffline\nB\tdevice\nC\tdevice\n");
    EXPECT_EQ(L"B", ChooseDevice(devices)->serial);
}

TEST(ChooseDevice, FirstPhoneWhenNoneIsReady)
{
    const DeviceList offline = Parse(L"List of devices attached\nA\toffline\nB\toffline\n");
    EXPECT_EQ(L"A", ChooseDevice(offline)->serial);
    const DeviceList recovery = Parse(L"List of devices attached\nA\trecovery\nB\tbootloader\n");
    EXPECT_EQ(DeviceState::Recovery, ChooseDevice(recovery)->state);
}
