// The phones that adb's `devices` and `devices -l` commands list, and which one an install
// goes to. Pure code over the captured text: no process, no platform calls.
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
    std::wstring serial;     // as printed: all before a tabbed line's last tab, else the first word
    DeviceState state = DeviceState::Unrecognised;
    std::wstring stateText;  // as printed: "device", "unauthorized", "no permissions (...)"
    // The long form's `key:value` fields as printed (adb writes blanks in the model as '_');
    // empty for a tabbed line.
    std::wstring model;
    std::wstring product;
    std::wstring device;
    std::wstring transportId;
};

using DeviceList = std::vector<DeviceEntry>;

// Which lines name a phone. Plain `devices` prints the serial, a tab and the state; `devices
// -l` pads the serial with blanks and follows the state with `key:value` fields. A tabbed
// line reads the same either way.
enum class DeviceListForm { Plain, Long };

// Appends one entry per phone line that follows the "List of devices attached" header.
// Returns false, adding nothing, when the header is missing.
bool ParseDeviceList(const std::wstring& output, DeviceList& devices, DeviceListForm form = DeviceListForm::Plain);

// The phone to install to: the only entry, else the first Ready one, else the first one.
// Null for an empty list.
const DeviceEntry* ChooseDevice(const DeviceList& devices);
