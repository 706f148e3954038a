// Command lines for the questions put to a phone before an install and for opening an
// app afterwards. Each template takes the adb path, the serial (as AdbSerialArgument makes
// it) and the package name or the component. The names go to the phone's shell, so only
// names that the package manager itself allows are ever put in.
#pragma once

#include <string>

inline constexpr wchar_t kAdbGetAbiList[] = L"\"%s\" -s %s shell getprop ro.product.cpu.abilist";
inline constexpr wchar_t kAdbGetAbi[] = L"\"%s\" -s %s shell getprop ro.product.cpu.abi";
inline constexpr wchar_t kAdbGetAbi2[] = L"\"%s\" -s %s shell getprop ro.product.cpu.abi2";
inline constexpr wchar_t kAdbListPackage[] = L"\"%s\" -s %s shell pm list packages --show-versioncode %s";
inline constexpr wchar_t kAdbDumpPackage[] = L"\"%s\" -s %s shell dumpsys package %s";
inline constexpr wchar_t kAdbDataFree[] = L"\"%s\" -s %s shell df /data";
inline constexpr wchar_t kAdbDataStat[] = L"\"%s\" -s %s shell stat -f /data";
inline constexpr wchar_t kAdbResolveLauncher[] =
    L"\"%s\" -s %s shell cmd package resolve-activity --brief -c android.intent.category.LAUNCHER %s";
inline constexpr wchar_t kAdbStartActivity[] = L"\"%s\" -s %s shell am start -n %s";
inline constexpr wchar_t kAdbMonkeyLaunch[] = L"\"%s\" -s %s shell monkey -p %s -c android.intent.category.LAUNCHER 1";

// Each question's limit: a phone that does not answer must not hold the verdict for long.
inline constexpr unsigned kPhoneQuestionTimeoutMs = 10000;

// A package name as the package manager accepts it: letters, digits and '_' in parts
// joined by '.', at least two parts. Nothing else reaches the phone's shell.
bool IsSafePackageName(const std::wstring& name);
// A component "PKG/CLASS" of this package, CLASS of the same characters (with '$'), maybe
// starting with '.'.
bool IsSafeComponent(const std::wstring& component, const std::wstring& package);
// The shell said that the command does not exist ("cmd: not found", exit 127).
bool IsCommandMissing(const std::wstring& output);
