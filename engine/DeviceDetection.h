// Asks adb which phones are attached.
#pragma once

#include <windows.h>

#include "DeviceList.h"

// Runs `devices` (10 s limit). True when adb ran and ended in time; output then holds
// what it printed. False when it could not be started, took too long or was cancelled;
// failedRunText, when given, then receives what an adb that ended with -1 printed (it
// does so when it cannot reach its server).
bool RunDevicesCommand(std::wstring& output, HANDLE cancelEvent = nullptr, std::wstring* failedRunText = nullptr);

// Runs `devices` and parses its output into devices. False when the run failed or the
// output has no device-list header; the list is then left empty.
bool ListDevices(DeviceList& devices, HANDLE cancelEvent = nullptr);
