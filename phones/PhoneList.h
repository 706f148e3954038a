// What the watcher makes of the phones that adb's `devices -l` lists.
// Pure code over the parsed list: no process, no platform calls.
#pragma once

#include <string>

#include "DeviceList.h"

// The name a user knows the phone by: its model with adb's '_' turned back into blanks,
// else its serial.
std::wstring PhoneDisplayName(const DeviceEntry& phone);

// The phones that an install could go to now, in list order.
DeviceList ReadyPhones(const DeviceList& phones);
