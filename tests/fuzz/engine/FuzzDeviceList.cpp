// Any bytes as the output of `adb devices`.
#include <cstdint>

#include "DeviceList.h"
#include "DeviceOutcome.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring output;
    output.reserve(size);
    for (std::size_t i = 0; i < size; ++i) output += wchar_t(data[i]);
    DeviceList devices;
    if (ParseDeviceList(output, devices)) {
        const DeviceEntry* chosen = ChooseDevice(devices);
        if (!devices.empty() && !chosen) __builtin_trap();
    }
    // Every output, with its header or without, ends in an outcome that the window has a
    // text for.
    const DeviceOutcome outcome = DecideDevicesOutput(output);
    if (outcome.action == DeviceOutcome::Action::ReportNoDevice && NoDeviceMessageId(std::int32_t(outcome.code)) == 0) {
        __builtin_trap();
    }
    return 0;
}
