// Questions to the phone asked off the window's thread. Each Ask runs a body on a thread
// of its own and posts the given message (wParam: the run's number) once its result is
// ready; a new Ask or Cancel abandons the run before, whose adb command ends at once and
// whose result is never taken. The window thus never waits for the phone, except on
// destruction, which waits a short while for runs to end.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "InstallVerdict.h"

// What a run found; which fields mean something depends on its body.
struct PhoneTaskResult {
    bool ok = false;
    std::wstring serial;
    std::wstring packageName;
    std::wstring component;  // the launcher activity
    bool cmdMissing = false;
    Verdict verdict;
};

class CPhoneTask {
public:
    using Body = std::function<void(HANDLE cancel, PhoneTaskResult& result)>;

    CPhoneTask() = default;
    ~CPhoneTask();
    CPhoneTask(const CPhoneTask&) = delete;
    CPhoneTask& operator=(const CPhoneTask&) = delete;

    // Starts body on a new thread; message goes to notifyWnd when it is done. False when
    // no thread could be started.
    bool Ask(HWND notifyWnd, UINT message, Body body);
    // Abandons the current run, if any.
    void Cancel();
    // A run is going that has not yet posted.
    bool IsBusy() const;
    // On the message: the result when wParam names the latest run; false for an
    // abandoned one.
    bool Take(WPARAM runNumber, PhoneTaskResult& result);

private:
    struct Run;
    static unsigned __stdcall ThreadEntry(void* run);
    void ReleaseEndedThreads();

    std::shared_ptr<Run> m_pRun;
    WPARAM m_nRuns = 0;
    std::vector<HANDLE> m_threads;  // of every run not yet seen to end
};
