// The state that the phone watcher's thread shares with its owner. The thread holds a
// share, so a watch that its owner gave up waiting for ends on its own without touching
// the owner.
#pragma once

#include <windows.h>

#include <mutex>

#include "PhoneStatus.h"
#include "ScopedHandle.h"

class CPhoneWatch {
public:
    explicit CPhoneWatch(HWND notifyWnd);
    CPhoneWatch(const CPhoneWatch&) = delete;
    CPhoneWatch& operator=(const CPhoneWatch&) = delete;

    bool IsReady() const { return bool(m_interrupt) && bool(m_wake); }

    // The thread's body: look, post on a change, wait, until told to end.
    void Run();

    void RequestEnd();  // from any thread; no post follows
    void Pause();
    void Resume();
    PhoneStatus Latest() const;

private:
    // One `devices -l` run and what it shows; false when it was cancelled.
    bool Look(PhoneStatus& status);
    // Publishes a status from the look that began in round; a paused or ended watch, or a
    // look overtaken by a pause, publishes nothing.
    void Publish(const PhoneStatus& status, unsigned round);
    bool ShouldEnd();

    const HWND m_hNotifyWnd;
    CScopedKernelHandle m_interrupt;  // manual reset: cancels the adb command under way
    CScopedKernelHandle m_wake;       // auto reset: ends a wait early

    mutable std::mutex m_lock;
    bool m_bEnd = false;
    bool m_bPaused = false;
    unsigned m_nRound = 0;     // grows with every pause, so a look begun before it is stale
    unsigned m_nSequence = 0;  // grows with every published change
    PhoneStatus m_latest;
};
