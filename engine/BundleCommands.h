// The adb commands of a bundle's install, and how their answers are read. Pure code, no
// platform calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr wchar_t kAdbGetAbiList[] = L"\"%s\" -s %s shell getprop ro.product.cpu.abilist";
inline constexpr wchar_t kAdbGetAbi[] = L"\"%s\" -s %s shell getprop ro.product.cpu.abi";
inline constexpr wchar_t kAdbWmDensity[] = L"\"%s\" -s %s shell wm density";
inline constexpr wchar_t kAdbGetLcdDensity[] = L"\"%s\" -s %s shell getprop ro.sf.lcd_density";
inline constexpr wchar_t kAdbGetLocale[] = L"\"%s\" -s %s shell getprop persist.sys.locale";
inline constexpr wchar_t kAdbGetProductLocale[] = L"\"%s\" -s %s shell getprop ro.product.locale";
inline constexpr wchar_t kAdbGetLanguage[] = L"\"%s\" -s %s shell getprop persist.sys.language";

// Where the phone keeps an app's expansion files, under its shared storage.
inline constexpr wchar_t kPhoneObbRoot[] = L"/sdcard/Android/obb/";

// `install-multiple -r` with the location option ("-s", "-f" or none) and each path quoted.
std::wstring FormatInstallMultiple(const std::wstring& adbPath, const std::wstring& serialArgument,
                                   const wchar_t* locationOption, const std::vector<std::wstring>& paths);

// The location option that the install sequence would choose for a single package: "-s"
// for the SD card, "-f" when the phone's install-location answer begins with 0, 1 or 2,
// else none (empty).
const wchar_t* InstallLocationOption(bool toSd, const std::wstring& installLocationAnswer);

// "/sdcard/Android/obb/<package>/<file>"; false when either name could leave that folder
// or be misread by the phone's shell (only letters, digits, '.', '_' and '-' pass).
bool ExpansionPhonePath(const std::string& packageName, const std::string& fileName, std::wstring& out);

std::wstring FormatPush(const std::wstring& adbPath, const std::wstring& serialArgument, const std::wstring& localPath,
                        const std::wstring& phonePath);
// `ls -l` of one file on the phone: its size is read from what it prints.
std::wstring FormatListFile(const std::wstring& adbPath, const std::wstring& serialArgument, const std::wstring& phonePath);

// The size in an `ls -l` line of toolbox ("-rw-rw---- root sdcard_r 5000 2024-01-01 00:00 x")
// or toybox ("-rw-rw---- 1 root sdcard_rw 5000 2024-01-01 00:00 /sdcard/x"): the number
// before the date. False when there is none (the file is missing).
bool ParseListedSize(const std::wstring& output, std::uint64_t& size);

// adb's answers are ASCII where they matter; anything else becomes '?'.
std::string NarrowAscii(const std::wstring& text);
