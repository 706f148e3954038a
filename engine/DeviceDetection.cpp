#include "DeviceDetection.h"

#include "AdbCommand.h"
#include "AdbRunner.h"

bool RunDevicesCommand(std::wstring& output, HANDLE cancelEvent)
{
    return RunAdbCommand(FormatAdbCommand(kAdbDevices, {GetAdbPath()}), output, kAdbDevicesTimeoutMs, cancelEvent);
}

bool ListDevices(DeviceList& devices, HANDLE cancelEvent)
{
    std::wstring output;
    return RunDevicesCommand(output, cancelEvent) && ParseDeviceList(output, devices);
}
