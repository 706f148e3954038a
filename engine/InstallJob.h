// One install, from the device list to the one message that reports it.
//
// The job keeps its inputs, its results and its cancel event itself, and the worker
// thread holds a share of it. So a job that its owner stopped waiting for can finish on
// its own without touching the owner: once abandoned, its adb command is ended, it posts
// nothing, and it deletes its own temporary copy.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>

#include "ScopedHandle.h"

class CInstallJob {
public:
    // preferredSerial: the phone to install to when the device list shows it ready; with
    // serialRequired, the only phone that may be installed to.
    CInstallJob(HWND notifyWnd, std::wstring apkPath, bool installToSd,
                std::wstring preferredSerial = std::wstring(), bool serialRequired = false);
    CInstallJob(const CInstallJob&) = delete;
    CInstallJob& operator=(const CInstallJob&) = delete;

    // The cancel event could be made; a job without one is not started.
    bool IsReady() const { return bool(m_cancel); }

    // The thread's body: the job, in a COM apartment (the shell launch of a hand-over
    // needs one).
    void Run();

    // Tells the job that nobody waits for it any more. Safe from any thread.
    void Abandon();

    // Results, for the owner once the thread has ended.
    const std::wstring& Error() const { return m_strError; }
    const std::wstring& TempApkPath() const { return m_strTempApkPath; }

private:
    void ExecuteInstall();
    void ReportNoPhone();
    // The install sequence for a ready phone; sdParam is WM_INSTALL_DONE's lParam.
    bool InstallTo(const std::wstring& serial, LPARAM& sdParam);
    // Posts the job's one message unless the job was abandoned or the window is gone.
    // A copy that no message announces is deleted here, since nobody else would.
    void Finish(UINT message, WPARAM wParam, LPARAM lParam);
    bool IsAbandoned();

    const HWND m_hNotifyWnd;
    const std::wstring m_strApkPath;
    const bool m_bInstallToSd;
    const std::wstring m_strPreferredSerial;
    const bool m_bSerialRequired;
    CScopedKernelHandle m_cancel;

    std::mutex m_lock;  // orders the post against Abandon
    bool m_bAbandoned = false;

    std::wstring m_strError;
    std::wstring m_strTempApkPath;
};
