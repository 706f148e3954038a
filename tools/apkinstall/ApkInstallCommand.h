// What apkinstall was asked to do, and how an install's message becomes its exit code and
// the text it prints. Pure code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PhoneList.h"

// Exit codes, for scripts.
enum class ApkInstallExit : int {
    Installed = 0,
    Failed = 1,     // the install command failed
    NoPhone = 2,    // no usable phone (nothing attached, not ready, or adb missing or unable to run)
    HandedOver = 3, // no phone on USB; the companion manager was started with the package
    NotOpened = 4,  // installed, but --open could not open the app
    Doubtful = 5,   // --check: the phone is likely to refuse the package (or lacks room)
    Usage = 64,
};

struct ApkInstallArgs {
    bool valid = false;
    bool help = false;
    bool list = false;  // print the attached phones instead of installing
    bool installToSd = false;
    bool open = false;    // open the app after a successful install
    bool check = false;   // only print the verdict on the attached phone
    std::wstring serial;  // install to this phone only; empty: the usual choice
    std::wstring package;
};

// `[--sd] [--serial SERIAL] [--open] PACKAGE` (the options in any order), `--check
// [--serial SERIAL] PACKAGE`, `--list`, or `--help` / `-h` alone.
ApkInstallArgs ParseApkInstallArgs(const std::vector<std::wstring>& args);

inline constexpr wchar_t kApkInstallUsage[] =
    L"usage: apkinstall [--sd] [--serial SERIAL] [--open] PACKAGE | --check PACKAGE | --list";

// One line of --list: serial, state and model (adb's '_' as blanks; empty when the phone
// gives none), separated by tabs.
std::wstring PhoneListLine(const DeviceEntry& phone);

struct ApkInstallResult {
    ApkInstallExit exit = ApkInstallExit::Failed;
    unsigned textId = 0;  // the string to print; 0: print the worker's error text
};

// The outcome of one of the worker's messages: message number, wParam.
ApkInstallResult ApkInstallResultFor(unsigned message, std::uintptr_t wParam);
