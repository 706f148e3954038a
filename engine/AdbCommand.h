// Command lines for adb. Each template takes, in order, the adb path, the phone's serial
// and the package path in place of its "%s" marks. The templates quote the paths; the
// serial goes in as AdbSerialArgument makes it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

inline constexpr wchar_t kAdbDevices[] = L"\"%s\" devices";
// The long form names each phone's model; the phone watcher and `apkinstall --list` read it.
inline constexpr wchar_t kAdbDevicesLong[] = L"\"%s\" devices -l";
inline constexpr wchar_t kAdbGetSdk[] = L"\"%s\" -s %s shell getprop ro.build.version.sdk";
inline constexpr wchar_t kAdbGetInstallLocation[] = L"\"%s\" -s %s shell pm getInstallLocation";
inline constexpr wchar_t kAdbInstallToSd[] = L"\"%s\" -s %s install -r -s \"%s\"";
inline constexpr wchar_t kAdbInstallToPhone[] = L"\"%s\" -s %s install -r -f \"%s\"";
inline constexpr wchar_t kAdbInstall[] = L"\"%s\" -s %s install -r \"%s\"";

inline constexpr std::uint32_t kAdbDevicesTimeoutMs = 10000;

// Replaces the template's "%s" marks, in order, with the given texts; nothing else of the
// texts is escaped. Marks without a text are left out.
std::wstring FormatAdbCommand(const wchar_t* commandTemplate, std::initializer_list<std::wstring> args);

// The serial as one command-line argument. An ordinary serial stays as it is, so that the
// command lines for ordinary phones never change. One that is empty or holds a blank, a
// tab or a double quote (adb's "(no serial number)" for a phone without one, say) is
// quoted as the C runtime and CommandLineToArgvW read it back, or it would fall apart
// into several arguments.
std::wstring AdbSerialArgument(const std::wstring& serial);
