// The three messages by which an install job reports to its window. Exactly one is
// posted (never sent) per job, as its last action. Plain numbers, so that code without
// the window system can name them too.
#pragma once

inline constexpr unsigned int kInstallMessageBase = 0x0400;  // WM_USER

// wParam: 1 success, 0 failure (the worker's error text says why).
// lParam: 0 when an SD card install was asked for and the phone's SDK level is below 8,
// so the package went to the phone's memory; else 1.
inline constexpr unsigned int WM_INSTALL_DONE = kInstallMessageBase + 1;

// wParam: a NoDeviceCode (DeviceOutcome.h); lParam: 0.
inline constexpr unsigned int WM_INSTALL_NO_DEVICE = kInstallMessageBase + 2;

// No phone on USB, and the companion manager took the package over. wParam, lParam: 0.
inline constexpr unsigned int WM_INSTALL_HANDED_OVER = kInstallMessageBase + 3;

// While a bundle installs, before the job's one message: which step runs. Posted, like
// the others, only while somebody waits for the job. wParam: kProgressInstalling (lParam:
// how many packages go to the phone) or kProgressCopyingData (lParam: the expansion
// file's number from 1 in its low 16 bits, how many there are in its high 16 bits).
inline constexpr unsigned int WM_INSTALL_PROGRESS = kInstallMessageBase + 5;
inline constexpr unsigned int kProgressInstalling = 1;
inline constexpr unsigned int kProgressCopyingData = 2;
