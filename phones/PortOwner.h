// Who holds a TCP port on this computer: the process listening on it, by the system's
// TCP table, and that process's program file.
#pragma once

#include <cstdint>
#include <string>

// Whether some process listens for TCP on the port, on 127.0.0.1 or on every address;
// processId receives its id, or 0 when the table names no owner (Wine never does).
bool FindTcpListener(std::uint16_t port, std::uint32_t& processId);

// The full path of a process's program; empty when the process is gone or the rights to
// ask are missing.
std::wstring ProcessImagePath(std::uint32_t processId);

// The file name of the program that listens on the port, for the user to recognise and
// quit; empty when it cannot be named, or when it is the adb.exe at ownAdbPath (then
// nothing foreign holds the port).
std::wstring PortHolderName(std::uint16_t port, const std::wstring& ownAdbPath);

// adb's server port as adb itself finds it: ANDROID_ADB_SERVER_PORT, else 5037.
std::uint16_t CurrentAdbServerPort();
