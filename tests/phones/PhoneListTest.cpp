#include <gtest/gtest.h>

#include "PhoneChoice.h"
#include "PhoneList.h"

namespace {

DeviceList Parse(const std::wstring& output)
{
    DeviceList phones;
    EXPECT_TRUE(ParseDeviceList(L"List of devices attached\r\n" + output, phones, DeviceListForm::Long));
    return phones;
}

}  // namespace

TEST(PhoneList, DisplayNameIsModelWithBlanksElseSerial)
{
    const DeviceList phones = Parse(L"EMU0001 device model:Nexus_5X transport_id:1\n"
                                    L"EMU0002 unauthorized usb:1-1 transport_id:3\n");
    ASSERT_EQ(2u, phones.size());
    EXPECT_EQ(L"Nexus 5X", PhoneDisplayName(phones[0]));
    EXPECT_EQ(L"EMU0002", PhoneDisplayName(phones[1]));
}

TEST(PhoneChoice, KeptWhileReadyElseFirstAndCycled)
{
    const DeviceList ready = Parse(L"A device\nB device\nC device\n");
    EXPECT_EQ(L"B", KeepPhoneChoice(ready, L"B"));
    EXPECT_EQ(L"A", KeepPhoneChoice(ready, L"gone"));
    EXPECT_EQ(L"A", KeepPhoneChoice(ready, L""));
    EXPECT_EQ(L"", KeepPhoneChoice(DeviceList(), L"B"));

    EXPECT_EQ(L"B", NextPhoneChoice(ready, L"A"));
    EXPECT_EQ(L"A", NextPhoneChoice(ready, L"C"));  // wraps round
    EXPECT_EQ(L"A", NextPhoneChoice(ready, L"gone"));
    EXPECT_EQ(L"", NextPhoneChoice(DeviceList(), L"A"));
}
