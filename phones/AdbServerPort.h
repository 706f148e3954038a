// The TCP port of adb's server on this computer: 5037 unless ANDROID_ADB_SERVER_PORT,
// which adb itself reads, names another.
#pragma once

#include <cstdint>
#include <string>

inline constexpr std::uint16_t kDefaultAdbServerPort = 5037;

// The port that the variable's value names; the default for a missing, empty or
// malformed value, as adb falls back too.
std::uint16_t ParseAdbServerPort(const wchar_t* value);

// The name to tell the user for the program at holderPath that holds adb's port: its
// file name; empty when the path is unknown or is our own adb at ownAdbPath (which is no
// other program), compared ignoring ASCII letter case as Windows compares paths.
std::wstring PortHolderFromPath(const std::wstring& holderPath, const std::wstring& ownAdbPath);
