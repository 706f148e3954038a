// The phones that adb's `devices` command lists, and which one an install goes to.
// Pure code over the captured text: no process, no platform calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The numbers double as the outcome codes that the install worker posts with
// WM_INSTALL_NO_DEVICE, so they are fixed.
enum class DeviceState : std::int32_t {
    NoDevice = 0,      // outcome only: the list is empty
    Offline = 2,
    Ready = 3,
    Bootloader = 4,
    Recovery = 5,
    Unrecognised = 6,  // any other state text, including an empty one
};

struct DeviceEntry {
    std::wstring serial;     // text before the line's last tab, exactly as printed
    DeviceState state = DeviceState::Unrecognised;
    std::wstring stateText;  // text after the last tab, as printed (e.g. "unauthorized")
};

using DeviceList = std::vector<DeviceEntry>;

// Appends one entry per phone line that follows the "List of devices attached" header.
// Returns false, adding nothing, when the header is missing.
bool ParseDeviceList(const std::wstring& output, DeviceList& devices);

// The phone to install to: the only entry, else the first Ready one, else the first one.
// Null for an empty list.
const DeviceEntry* ChooseDevice(const DeviceList& devices);
