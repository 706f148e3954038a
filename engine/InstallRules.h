// The decisions of one install, over what adb printed: the phone's SDK level, which
// install command fits, and whether the install succeeded. Pure code, no platform calls.
#pragma once

#include <cstdint>
#include <string>

// An install to the SD card is only asked of a phone with at least this SDK level.
inline constexpr std::int32_t kSdInstallMinSdkLevel = 8;

// The output of `getprop ro.build.version.sdk` read as C's wcstol reads a decimal number:
// leading white space, an optional sign, digits up to the first other character. No
// digits give 0; a number beyond 32 bits is clamped.
std::int32_t ParseSdkLevel(const std::wstring& output);

// The install template for a phone-memory install: `-r -f` when the phone's answer to
// `pm getInstallLocation` begins with 0, 1 or 2, else plain `-r`.
const wchar_t* ChooseInstallTemplate(const std::wstring& installLocationAnswer);

// Whether an install's output reports success: a line whose first word is "success" in
// any letter case, also when other lines hold failure codes. Android's package manager
// prints "Success" on a line of its own; the word elsewhere (a package named
// com.successfactors, a user folder named so, adb's "* daemon started successfully" or
// "error: ... : Success") says nothing about the install.
bool IsInstallSuccess(const std::wstring& output);

// The temporary copy's file name for a tick count: the count as a signed 32-bit decimal,
// then ".apk".
std::wstring FormatTempApkName(std::uint32_t tickCount);
// The same with another extension (".obb" for an expansion file's copy).
std::wstring FormatTempFileName(std::uint32_t tickCount, const wchar_t* extension);
