// The message by which the phone watcher tells its window that what it knows of the
// attached phones has changed. Posted, never sent; the window then reads the watcher's
// latest status (CPhoneWatcher::Latest). Plain numbers, as for the install messages.
#pragma once

#include "InstallMessages.h"

// wParam: the status's sequence number (it grows with every change); lParam: 0.
inline constexpr unsigned int WM_PHONES_CHANGED = kInstallMessageBase + 4;
