// The installer's whole contact with the companion application manager: whether it runs
// and what it says, handing a package to it, and starting its own installer.
#pragma once

#include <windows.h>

#include <string>

// Sent to the manager's window (wParam 0, lParam 0); the answer says what it will do.
inline constexpr UINT WM_COMPANION_QUERY = WM_APP + 1;
inline constexpr UINT kCompanionQueryTimeoutMs = 1000;

// 1 when no manager runs (its mutex does not exist, or no top-level window carries its
// property), 100 when its window did not answer within 1000 ms, else the manager's answer:
// 4, and only 4, means that it takes the package over.
int QueryCompanionManager();

// Starts Helmsway.exe, beside this program, with the package path as its parameter
// (quoted when the path holds a blank). Needs COM on the calling thread. True only when
// the manager was started: without Helmsway.exe beside us nothing takes the package.
bool HandOverToCompanion(const std::wstring& packagePath);

// Helmsway.exe lies beside this program, so that its installer can be started.
bool IsCompanionBeside();

// Starts Helmsway.exe with "-apkinstaller": the manager's own installer.
void LaunchCompanionInstaller();
