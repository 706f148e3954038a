// The questions put to the attached phone through adb, on whatever thread calls them:
// which phone is ready, its facts for the verdict, its launcher activity for a package,
// and opening that activity. Every command ends at once when the cancel event is set.
#pragma once

#include <windows.h>

#include <string>

#include "InstallVerdict.h"

struct PhoneAddress {
    std::wstring adbPath;
    std::wstring serial;
    HANDLE cancel = nullptr;
};

// The phone an install would go to now (the install's own rule); false when none is ready.
bool FindReadyPhone(HANDLE cancel, std::wstring& serial);

// SDK, ABIs, the installed version of the package and the free space of /data; what the
// phone does not answer stays unknown.
PhoneFacts QueryPhoneFacts(const PhoneAddress& phone, const std::wstring& package);

// The launcher activity of the package ("PKG/.Main"); empty when it has none or the
// phone cannot say. cmdMissing: the phone has no `cmd` (before Android 7), so nothing is
// known and monkey is the way to open it.
std::wstring ResolveLauncherActivity(const PhoneAddress& phone, const std::wstring& package, bool& cmdMissing);

// Starts the component with am start, or through monkey when component is empty. True
// when the phone says it started.
bool OpenAppOnPhone(const PhoneAddress& phone, const std::wstring& package, const std::wstring& component);
