// The phone an install goes to, and the commands put to it: its SDK level, its
// install-location setting, and the install itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct AdbTarget {
    std::wstring serial;       // the chosen phone, passed after -s
    std::wstring packagePath;  // the temporary copy, never the user's own file
    std::wstring adbPath;
    HANDLE cancelEvent = nullptr;  // when signalled, the running command ends at once

    // The phone's SDK level; 0 when it cannot be read.
    std::int32_t QuerySdkVersion() const;

    // Installs with `-r -s` when toSd is set, else with the options that the phone's
    // install-location answer calls for. True when adb reports success; otherwise error
    // holds the user's message for what adb printed, also when adb ended with 0xFFFFFFFF
    // (and so gave no output). A cancelled install is a failure without a message.
    bool InstallApk(bool toSd, std::wstring& error) const;

private:
    std::wstring Run(const wchar_t* commandTemplate, bool* ran = nullptr, std::wstring* failedRunText = nullptr) const;
    bool Cancelled() const;
};
