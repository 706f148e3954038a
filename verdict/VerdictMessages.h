// The messages by which questions to the phone report to the window (wParam: the run's
// number, CPhoneTask). Plain numbers, clear of the install job's.
#pragma once

inline constexpr unsigned int WM_VERDICT_READY = 0x0400 + 20;   // the verdict before the click
inline constexpr unsigned int WM_LAUNCHER_READY = 0x0400 + 21;  // the launcher activity after a success
inline constexpr unsigned int WM_APP_OPENED = 0x0400 + 22;      // "打开" done; result.ok says whether it started
