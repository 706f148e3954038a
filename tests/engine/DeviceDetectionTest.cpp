#include <gtest/gtest.h>

#include "DeviceDetection.h"
#include "FakeAdbScenario.h"

TEST(ListDevices, ReadyPhoneFromRealCapture)
{
    CFakeAdbScenario adb;
    adb.PlayCapture("ready_modern");
    DeviceList devices;
    EXPECT_TRUE(ListDevices(devices));
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ(L"0123456789ABCDEF", devices[0].serial);
    EXPECT_EQ(DeviceState::Ready, devices[0].state);
}

TEST(ListDevices, WindowsLineEndsAndServerNotes)
{
    CFakeAdbScenario adb;
    adb.SetOutputBytes(L"devices",
                       "* daemon not running; starting now at tcp:5037\r\n* daemon started successfully\r\n"
                       "List of devices attached\r\nHT123ABC\tdevice\r\n\r\n");
    DeviceList devices;
    EXPECT_TRUE(ListDevices(devices));
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ(L"HT123ABC", devices[0].serial);
}

TEST(ListDevices, BrokenServerGivesEmptyList)
{
    CFakeAdbScenario adb;
    adb.PlayCapture("server_garbage");
    DeviceList devices;
    EXPECT_FALSE(ListDevices(devices));
    EXPECT_TRUE(devices.empty());
}

TEST(ListDevices, ExitMinusOneTwiceGivesEmptyList)
{
    CFakeAdbScenario adb;
    adb.SetOutputBytes(L"devices", "List of devices attached\nX\tdevice\n");
    adb.Set(L"devices", L"exit", L"4294967295");
    DeviceList devices;
    EXPECT_FALSE(ListDevices(devices));
    EXPECT_TRUE(devices.empty());
}
