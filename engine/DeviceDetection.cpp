#include "DeviceDetection.h"

#include "AdbCommand.h"
#include "AdbRunner.h"

bool RunDevicesCommand(std::wstring& output, HANDLE cancelEvent, std::wstring* failedRunText)
{
    return RunAdbCommand(FormatAdbCommand(kAdbDevices, {GetAdbPath()}), output, kAdbDevicesTimeoutMs, cancelEvent,
                         failedRunText);
}

bool ListDevices(DeviceList& devices, HANDLE cancelEvent)
{
    std::wstring output;
    return RunDevicesCommand(output, cancelEvent) && ParseDeviceList(output, devices);
}
