#include "DeviceDetection.h"

#include "AdbCommand.h"
#include "AdbRunner.h"

bool ListDevices(DeviceList& devices, HANDLE cancelEvent)
{
    std::wstring output;
    if (!RunAdbCommand(FormatAdbCommand(kAdbDevices, {GetAdbPath()}), output, kAdbDevicesTimeoutMs, cancelEvent)) {
        return false;
    }
    return ParseDeviceList(output, devices);
}
