// Watches the attached phones while no install runs: `devices -l` every two seconds on a
// thread of its own, which posts WM_PHONES_CHANGED to the window whenever the status
// changes. The window never waits for adb: closing cancels a command under way.
#pragma once

#include <windows.h>

#include <memory>

#include "PhoneStatus.h"
#include "QuilloThread.h"

class CPhoneWatch;

inline constexpr DWORD kPhonePollPeriodMs = 2000;
// How long stopping waits for a cancelled `devices -l` to leave before it gives up on it.
inline constexpr DWORD kPhoneWatchStopMs = 2000;

class CPhoneWatcher : public CQuilloThread {
public:
    CPhoneWatcher() = default;
    ~CPhoneWatcher() override;

    // Starts watching for the window; the first look is at once. False when no thread
    // could be started (the window then just shows no phone line).
    bool Start(HWND notifyWnd);
    // Ends the watch: the command under way is cancelled and the thread joined, at most
    // kPhoneWatchStopMs. Nothing is posted afterwards.
    void Finish();

    // An install takes over adb: the watch stops looking (a look under way is cancelled
    // and forgotten) until Resume, which looks again at once.
    void Pause();
    void Resume();

    // The latest status, a copy; Unknown before the first look.
    PhoneStatus Latest() const;

protected:
    void OnRunAbandoned() override;

private:
    std::shared_ptr<CPhoneWatch> m_pWatch;
};
