// A worker thread with a stop event, and its stop-and-join with a time limit.
//
// The thread runs a body that it owns. Stop waits for it, with or without a limit, and
// keeps taking the messages that other threads send to the caller meanwhile. When the
// limit runs out the thread is not killed (that could leave the heap or the loader lock
// held): the derived class is told to abandon the run, which must then end soon on its
// own and never touch this object again, and Stop returns.
#pragma once

#include <windows.h>

#include <functional>

#include "ScopedHandle.h"

class CQuilloThread {
public:
    CQuilloThread() = default;
    virtual ~CQuilloThread();  // Stop with 5000 ms
    CQuilloThread(const CQuilloThread&) = delete;
    CQuilloThread& operator=(const CQuilloThread&) = delete;

    // Signals the stop event and waits for the thread's end, at most timeoutMs (INFINITE
    // for no limit); then releases the thread. The result is that of closing the stop
    // event: false when there was none, as for an object that was never started.
    bool Stop(DWORD timeoutMs = INFINITE);

    // A thread was started and has not yet ended.
    bool IsRunning() const;

protected:
    // Creates the stop event and starts a thread that runs body. False, with nothing
    // started, when either fails.
    bool StartThread(std::function<void()> body);

    // Told from Stop, on the stopping thread. The limit ran out with the thread still
    // running: the run must stop soon and post nothing more.
    virtual void OnRunAbandoned() {}
    // The run is over for this object: joined is true when the thread has ended (its
    // results may be taken), false when it was left running after it was abandoned.
    virtual void OnRunReleased(bool joined) { (void)joined; }

    CScopedKernelHandle m_hThread;
    CScopedKernelHandle m_hStopEvent;
    DWORD m_dwThreadId = 0;

private:
    static unsigned __stdcall ThreadEntry(void* body);
};
