// The phones that adb's `devices -l` lists, with the names they give of themselves.
// Pure code over the captured text: no process, no platform calls.
#pragma once

#include <string>
#include <vector>

#include "DeviceList.h"

struct PhoneEntry {
    std::wstring serial;
    DeviceState state = DeviceState::Unrecognised;
    std::wstring stateText;  // as printed: "device", "unauthorized", "no permissions (...)"
    std::wstring model;      // the `model:` field as printed (adb writes blanks as '_')
    std::wstring product;
    std::wstring device;
    std::wstring transportId;
};

using PhoneList = std::vector<PhoneEntry>;

// Appends one entry per phone line after the "List of devices attached" header. Reads both
// the long form (serial padded with blanks, the state, then `key:value` fields) and the
// short form of plain `devices` (serial, a tab, the state). False, adding nothing, when
// the header is missing.
bool ParsePhoneList(const std::wstring& output, PhoneList& phones);

// The name a user knows the phone by: its model with adb's '_' turned back into blanks,
// else its serial.
std::wstring PhoneDisplayName(const PhoneEntry& phone);

// The phones that an install could go to now, in list order.
PhoneList ReadyPhones(const PhoneList& phones);
