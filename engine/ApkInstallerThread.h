// The install worker: runs one install job at a time on its own thread. The job reports to
// the notify window with exactly one posted message (InstallMessages.h); the owner then
// stops the worker and reads the results.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "QuilloThread.h"

class CInstallJob;

class CApkInstallerThread : public CQuilloThread {
public:
    CApkInstallerThread() = default;
    // Stop with 5000 ms, before the texts are released; a copy that nobody took over is
    // deleted then.
    ~CApkInstallerThread() override;

    // Starts a job that installs the package to the SD card when installToSd is set (and
    // the phone is new enough), else to the phone's memory. An ended run is released
    // first. False, with nothing started, while a run is still going or when no thread
    // can be started. preferredSerial, when it names a phone that the job finds ready,
    // is the phone installed to (the user's choice among several); else the usual choice.
    // With serialRequired no other phone is installed to (a script named this one).
    bool Start(HWND notifyWnd, const std::wstring& apkPath, bool installToSd,
               const std::wstring& preferredSerial = std::wstring(), bool serialRequired = false);

    // Results of the last job, valid once Stop has returned: the user's message for a
    // failed install, and the temporary copy that the owner deletes (empty when none is
    // left). A job that Stop gave up waiting for leaves neither.
    std::wstring GetError() const { return m_strError; }
    std::wstring GetTempApkPath() const { return m_strTempApkPath; }
    // The copy, handed to the owner to delete: this object forgets it.
    std::wstring TakeTempApkPath();

protected:
    void OnRunAbandoned() override;
    void OnRunReleased(bool joined) override;

private:
    HWND m_hNotifyWnd = nullptr;
    std::wstring m_strError;
    std::wstring m_strApkPath;
    std::wstring m_strTempApkPath;
    BOOL m_bInstallToSd = FALSE;
    std::shared_ptr<CInstallJob> m_pJob;
};
