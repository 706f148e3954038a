// Command lines for adb. Each template takes, in order, the adb path, the phone's serial
// and the package path in place of its "%s" marks. Paths are quoted, the serial never.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

inline constexpr wchar_t kAdbDevices[] = L"\"%s\" devices";
inline constexpr wchar_t kAdbGetSdk[] = L"\"%s\" -s %s shell getprop ro.build.version.sdk";
inline constexpr wchar_t kAdbGetInstallLocation[] = L"\"%s\" -s %s shell pm getInstallLocation";
inline constexpr wchar_t kAdbInstallToSd[] = L"\"%s\" -s %s install -r -s \"%s\"";
inline constexpr wchar_t kAdbInstallToPhone[] = L"\"%s\" -s %s install -r -f \"%s\"";
inline constexpr wchar_t kAdbInstall[] = L"\"%s\" -s %s install -r \"%s\"";

inline constexpr std::uint32_t kAdbDevicesTimeoutMs = 10000;

// Replaces the template's "%s" marks, in order, with the given texts; nothing else of the
// texts is escaped. Marks without a text are left out.
std::wstring FormatAdbCommand(const wchar_t* commandTemplate, std::initializer_list<std::wstring> args);
