#include "InstallJob.h"

#include "AdbRunner.h"
#include "AdbTarget.h"
#include "BundleInstall.h"
#include "ComApartment.h"
#include "CompanionCommand.h"
#include "CompanionManager.h"
#include "DeviceDetection.h"
#include "DeviceOutcome.h"
#include "InstallMessages.h"
#include "InstallRules.h"
#include "ProgramDir.h"
#include "StringResource.h"
#include "TempApkCopy.h"
#include "resource.h"

CInstallJob::CInstallJob(HWND notifyWnd, std::wstring apkPath, bool installToSd, std::wstring preferredSerial,
                         bool serialRequired)
    : m_hNotifyWnd(notifyWnd),
      m_strApkPath(std::move(apkPath)),
      m_bInstallToSd(installToSd),
      m_strPreferredSerial(std::move(preferredSerial)),
      m_bSerialRequired(serialRequired && !m_strPreferredSerial.empty()),
      m_cancel(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

void CInstallJob::Run()
{
    // The job runs also without COM: only the hand-over's shell launch may miss it, and a
    // job that ended without its message would leave the window waiting for ever.
    const CComApartment com;
    ExecuteInstall();
}

void CInstallJob::Abandon()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_bAbandoned = true;
    }
    ::SetEvent(m_cancel.Get());
}

bool CInstallJob::IsAbandoned()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_bAbandoned;
}

void CInstallJob::ExecuteInstall()
{
    m_strTempApkPath.clear();
    // A run that could not be started or took too long leaves the outcome of no phone,
    // which tells a missing adb.exe apart below.
    std::wstring output, failedRunText;
    const bool ran = RunDevicesCommand(output, m_cancel.Get(), &failedRunText);
    if (IsAbandoned()) return;

    DeviceOutcome outcome;
    if (ran) {
        outcome = m_bSerialRequired ? DecideOutcomeForSerial(output, m_strPreferredSerial)
                                    : DecideDevicesOutput(output, m_strPreferredSerial);
    } else if (ShowsAdbServerConflict(failedRunText)) {
        // adb gives up with -1 when another program holds its server: no phone could be
        // seen, and the companion manager would not help either.
        outcome.action = DeviceOutcome::Action::ReportNoDevice;
        outcome.code = NoDeviceCode::AdbServerHeld;
    }
    switch (outcome.action) {
    case DeviceOutcome::Action::AskCompanion:
        ReportNoPhone();
        return;
    case DeviceOutcome::Action::ReportNoDevice:
        Finish(WM_INSTALL_NO_DEVICE, WPARAM(outcome.code), 0);
        return;
    case DeviceOutcome::Action::Install: {
        LPARAM sdParam = 1;
        const bool installed = InstallTo(outcome.serial, sdParam);
        Finish(WM_INSTALL_DONE, installed ? 1 : 0, sdParam);
        return;
    }
    }
}

void CInstallJob::ReportNoPhone()
{
    if (QueryCompanionManager() == kCompanionTakesOver) {
        if (IsAbandoned()) return;
        // A manager that could not be started takes nothing over: the user must hear that
        // no phone was found rather than that another installer installs.
        if (HandOverToCompanion(m_strApkPath)) {
            Finish(WM_INSTALL_HANDED_OVER, 0, 0);
            return;
        }
    }
    const bool adbExists = IsFile(GetAdbPath());
    Finish(WM_INSTALL_NO_DEVICE, WPARAM(NoDeviceCodeWithoutCompanion(adbExists)), 0);
}

bool CInstallJob::InstallTo(const std::wstring& serial, LPARAM& sdParam)
{
    // A bundle is told by what it holds, whatever its name; its parts are copied out and
    // deleted by the bundle's own install, so no copy is left for the window.
    {
        CBundleInstall bundle(serial, GetAdbPath(), m_cancel.Get(),
                              [this](WPARAM step, LPARAM detail) { Progress(step, detail); });
        if (bundle.Open(m_strApkPath)) return bundle.Install(m_bInstallToSd, sdParam, m_strError);
    }  // a package's file is closed again before it is copied

    AdbTarget target{serial, std::wstring(), GetAdbPath(), m_cancel.Get()};
    if (!MakeTempApkCopy(m_strApkPath, m_cancel.Get(), m_strTempApkPath)) {
        // Without a copy there is nothing to install: adb would only say that the path
        // holds no file.
        m_strError = LoadStringResource(IDS_ERR_COPY_FAILED);
        return false;
    }
    target.packagePath = m_strTempApkPath;

    bool toSd = false;
    if (m_bInstallToSd) {
        toSd = target.QuerySdkVersion() >= kSdInstallMinSdkLevel;
        if (!toSd) sdParam = 0;
    }
    return target.InstallApk(toSd, m_strError);
}

void CInstallJob::Progress(WPARAM step, LPARAM detail)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_bAbandoned && m_hNotifyWnd && ::IsWindow(m_hNotifyWnd)) {
        ::PostMessageW(m_hNotifyWnd, WM_INSTALL_PROGRESS, step, detail);
    }
}

void CInstallJob::Finish(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool posted = false;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        posted = !m_bAbandoned && m_hNotifyWnd && ::IsWindow(m_hNotifyWnd) &&
                 ::PostMessageW(m_hNotifyWnd, message, wParam, lParam);
    }
    if (!posted && !m_strTempApkPath.empty()) {
        ::DeleteFileW(m_strTempApkPath.c_str());
        m_strTempApkPath.clear();
    }
}
