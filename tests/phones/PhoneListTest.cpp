#include <gtest/gtest.h>

#include "PhoneChoice.h"
#include "PhoneList.h"

namespace {

PhoneList Parse(const std::wstring& output)
{
    PhoneList phones;
    EXPECT_TRUE(ParsePhoneList(output, phones));
    return phones;
}

const wchar_t kHeader[] = L"List of devices attached\r\n";

}  // namespace

TEST(PhoneList, LongLinesGiveModelProductDeviceAndTransport)
{
    const PhoneList phones = Parse(std::wstring(kHeader) +
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
    EXPECT_EQ(L"Nexus 5X", PhoneDisplayName(phones[0]));
    EXPECT_EQ(L"Pixel 3", PhoneDisplayName(phones[1]));
    EXPECT_EQ(L"", phones[1].device);
}

TEST(PhoneList, LinesWithoutFieldsAndStatesOfSeveralWords)
{
    const PhoneList phones = Parse(std::wstring(kHeader) +
                                   L"EMU0001                unauthorized usb:1-1 transport_id:3\n"
                                   L"EMU0002 offline\n"
                                   L"EMU0003                no permissions (user in plugdev group; are your udev "
                                   L"rules wrong?); see [http://developer.android.com/tools/device.html] "
                                   L"usb:1-2 transport_id:4\n"
                                   L"   \n");
    ASSERT_EQ(3u, phones.size());
    EXPECT_EQ(L"unauthorized", phones[0].stateText);
    EXPECT_EQ(DeviceState::Unrecognised, phones[0].state);
    EXPECT_EQ(L"", phones[0].model);
    EXPECT_EQ(L"EMU0001", PhoneDisplayName(phones[0]));  // no model: the serial
    EXPECT_EQ(L"3", phones[0].transportId);
    EXPECT_EQ(DeviceState::Offline, phones[1].state);
    EXPECT_EQ(L"", phones[1].transportId);
    EXPECT_EQ(0u, phones[2].stateText.find(L"no permissions (user in plugdev group;"));
    EXPECT_EQ(L"4", phones[2].transportId);
}

TEST(PhoneList, ShortFormAndMissingHeader)
{
    const PhoneList phones = Parse(L"* daemon started successfully\r\nList of devices attached\r\nHT1\tdevice\r\n"
                                   L"a b\tDEVICE\r\n\tdevice\r\n");
    ASSERT_EQ(2u, phones.size());
    EXPECT_EQ(L"HT1", phones[0].serial);
    EXPECT_EQ(L"a b", phones[1].serial);  // before the tab, blanks and all
    EXPECT_EQ(DeviceState::Ready, phones[1].state);

    PhoneList none;
    EXPECT_FALSE(ParsePhoneList(L"error: cannot connect to daemon\r\n", none));
    EXPECT_TRUE(none.empty());
}

TEST(PhoneChoice, KeptWhileReadyElseFirstAndCycled)
{
    const PhoneList ready = Parse(std::wstring(kHeader) + L"A device\nB device\nC device\n");
    EXPECT_EQ(L"B", KeepPhoneChoice(ready, L"B"));
    EXPECT_EQ(L"A", KeepPhoneChoice(ready, L"gone"));
    EXPECT_EQ(L"A", KeepPhoneChoice(ready, L""));
    EXPECT_EQ(L"", KeepPhoneChoice(PhoneList(), L"B"));

    EXPECT_EQ(L"B", NextPhoneChoice(ready, L"A"));
    EXPECT_EQ(L"A", NextPhoneChoice(ready, L"C"));  // wraps round
    EXPECT_EQ(L"A", NextPhoneChoice(ready, L"gone"));
    EXPECT_EQ(L"", NextPhoneChoice(PhoneList(), L"A"));
}
