// The one setting kept between runs, the install location, in "Setting.ini" in the folder
// "\VexoHelmsway" of the user's application-data folder.
#pragma once

#include <cstddef>

inline constexpr std::size_t kSettingsPathCapacity = 260;  // the terminator included

// The settings file's full path once resolved; empty before, and empty for good when no
// usable path exists (see ResolveSettingsPathFrom).
extern wchar_t g_szSettingsPath[kSettingsPathCapacity];

// Install locations as stored. Only 1 sends an install to the SD card.
inline constexpr int kInstallPositionPhone = 0;
inline constexpr int kInstallPositionSd = 1;

// Resolves g_szSettingsPath from the user's application-data folder, once per process,
// and creates the data folder and an empty settings file when they are missing.
void ResolveSettingsPath();

// The same steps from a given application-data folder into a given buffer; nothing is
// done when the buffer holds a path already. The buffer stays empty, and nothing is
// created, when the folder is unknown (empty), when the whole path would not fit into the
// buffer, or when the data folder can neither be found nor made: the setting then reads 0
// and writes go nowhere, rather than to another file. True when the buffer holds a path.
bool ResolveSettingsPathFrom(const wchar_t* appDataDir, wchar_t (&settingsPath)[kSettingsPathCapacity]);

// "InstallPosition" in section "VersionSection"; 0 when the file, the section, the key or
// a number is missing, or the path is empty.
int ReadInstallPosition(const wchar_t* settingsPath = g_szSettingsPath);

// Stores the value formatted as a decimal number. False when it was not stored.
bool WriteInstallPosition(int position, const wchar_t* settingsPath = g_szSettingsPath);
