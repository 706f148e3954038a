// Asks adb which phones are attached.
#pragma once

#include <windows.h>

#include "DeviceList.h"

// Runs `devices` (10 s limit) and parses its output into devices. False when the run
// failed or the output has no device-list header; the list is then left empty.
bool ListDevices(DeviceList& devices, HANDLE cancelEvent = nullptr);
