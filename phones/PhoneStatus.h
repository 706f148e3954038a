// What the window says about the phones before any click, read from one `devices -l` run.
// Pure code over what adb printed.
#pragma once

#include <string>

#include "PhoneList.h"

enum class PhoneStatusKind {
    Unknown,         // nothing asked yet
    Ready,           // at least one phone can take an install
    NoPhone,
    Unauthorized,    // the phone has not allowed this computer (or asks right now)
    Offline,
    Booting,         // boot loader
    Recovery,
    OtherState,      // connecting, no permissions, anything else
    AdbMissing,      // no adb.exe beside the program
    AdbCannotRun,    // adb ran, printed no list and no known complaint
    ServerConflict,  // adb's server is held or fought over by another program
};

struct PhoneStatus {
    PhoneStatusKind kind = PhoneStatusKind::Unknown;
    DeviceList phones;  // every phone listed, in list order
    DeviceList ready;   // those that can take an install
    // ServerConflict: the program that listens on adb's port, when Windows names it.
    std::wstring portHolder;

    bool operator==(const PhoneStatus& other) const;
    bool operator!=(const PhoneStatus& other) const { return !(*this == other); }
};

// The status after a `devices -l` run: ran is false when adb could not be started or did
// not end in time; adbExists tells a missing adb.exe apart then.
PhoneStatus ReadPhoneStatus(bool ran, const std::wstring& output, bool adbExists);

// The line the window shows. textId is a string-table id; a Ready line names the phone
// (argument), a ServerConflict line with a known holder names the program.
struct PhoneLine {
    unsigned textId = 0;  // 0: no line
    std::wstring argument;
};
PhoneLine PhoneStatusLine(const PhoneStatus& status, const std::wstring& chosenSerial);

// The line's text: its template with the first "%s" replaced by the argument (a template
// without one is left as it is).
std::wstring FormatPhoneLine(const std::wstring& text, const std::wstring& argument);
