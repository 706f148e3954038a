// CApkInstallerWnd, continued: the verdict on the attached phone before the click, and
// opening the installed app after a success. Both ask the phone on threads of their own
// (CPhoneTask); the window never waits for the phone and asks nothing while an install runs.
#include "ApkInstallerWnd.h"

#include "AdbRunner.h"
#include "InstallVerdict.h"
#include "PackageFactsReader.h"
#include "PhoneQuery.h"
#include "StringResource.h"
#include "VerdictMessages.h"
#include "WindowStyle.h"
#include "resource.h"

void CApkInstallerWnd::ClearVerdict()
{
    m_verdictTask.Cancel();
    if (m_strVerdict.empty()) return;
    m_strVerdict.clear();
    InvalidateBox(m_scale.Box(kVerdictLineRect), true);
}

void CApkInstallerWnd::AskVerdict()
{
    ClearVerdict();
    // The phone the install would go to, as the watcher reports it; none ready, no verdict.
    if (m_strPackagePath.empty() || m_strPhoneSerial.empty() || m_nState != STATE_READY ||
        m_installThread.IsRunning()) {
        return;
    }
    const std::wstring path = m_strPackagePath, serial = m_strPhoneSerial, adb = GetAdbPath();
    m_verdictTask.Ask(m_hWnd, WM_VERDICT_READY, [path, serial, adb](HANDLE cancel, PhoneTaskResult& result) {
        PackageFacts package;
        if (!ReadPackageFacts(path, package)) return;
        const PhoneAddress phone{adb, serial, cancel};
        result.serial = phone.serial;
        result.packageName = package.packageName;
        result.verdict = ChooseVerdict(package, QueryPhoneFacts(phone, package.packageName));
        result.ok = true;
    });
}

LRESULT CApkInstallerWnd::OnVerdictReady(WPARAM wParam)
{
    PhoneTaskResult result;
    if (!m_verdictTask.Take(wParam, result) || !result.ok) return 0;
    // An install that started meanwhile has cancelled the run; this is only a guard.
    if (m_nState != STATE_READY || m_installThread.IsRunning()) return 0;
    const unsigned id = VerdictTextId(result.verdict.kind);
    m_strVerdict = id != 0 ? VerdictText(result.verdict, LoadStringResource(id)) : std::wstring();
    m_nVerdictColour = VerdictColour(result.verdict.kind);
    InvalidateBox(m_scale.Box(kVerdictLineRect), true);
    return 0;
}

void CApkInstallerWnd::AskLauncher()
{
    m_bCanOpen = false;
    if (m_strPackagePath.empty()) return;
    // The phone the install went to; the watcher does not look while an install runs, so
    // without its word the phone is found as the install found it.
    const std::wstring path = m_strPackagePath, serial = m_strPhoneSerial, adb = GetAdbPath();
    m_launchTask.Ask(m_hWnd, WM_LAUNCHER_READY, [path, serial, adb](HANDLE cancel, PhoneTaskResult& result) {
        PackageFacts package;
        if (!ReadPackageFacts(path, package)) return;
        PhoneAddress phone{adb, serial, cancel};
        if (phone.serial.empty() && !FindReadyPhone(cancel, phone.serial)) return;
        result.serial = phone.serial;
        result.packageName = package.packageName;
        result.component = ResolveLauncherActivity(phone, package.packageName, result.cmdMissing);
        // Without cmd the phone cannot say; monkey finds the launcher itself, if any.
        result.ok = !result.component.empty() || result.cmdMissing;
    });
}

LRESULT CApkInstallerWnd::OnLauncherReady(WPARAM wParam)
{
    PhoneTaskResult result;
    if (!m_launchTask.Take(wParam, result) || !result.ok || m_nState != STATE_SUCCEEDED) return 0;
    m_bCanOpen = true;
    m_strLaunchPhone = result.serial;
    m_strPackageName = result.packageName;
    m_strLauncher = result.component;
    InvalidateZone(ZONE_COMPANION);
    InvalidateZone(ZONE_OPEN);
    return 0;
}

void CApkInstallerWnd::OpenApp()
{
    if (!m_bCanOpen) return;
    // The user wants the app: the window stays until they close it.
    ::KillTimer(m_hWnd, IDT_CLOSE_COUNTDOWN);
    m_bCanOpen = false;
    InvalidateZone(ZONE_COMPANION);
    InvalidateZone(ZONE_OPEN);
    const std::wstring adb = GetAdbPath(), serial = m_strLaunchPhone, package = m_strPackageName,
                       component = m_strLauncher;
    m_launchTask.Ask(m_hWnd, WM_APP_OPENED, [adb, serial, package, component](HANDLE cancel, PhoneTaskResult& result) {
        result.ok = OpenAppOnPhone(PhoneAddress{adb, serial, cancel}, package, component);
    });
}

LRESULT CApkInstallerWnd::OnAppOpened(WPARAM wParam)
{
    PhoneTaskResult result;
    if (!m_launchTask.Take(wParam, result) || m_nState != STATE_SUCCEEDED) return 0;
    SetStatusText(result.ok ? IDS_OPENED : IDS_OPEN_FAILED);
    InvalidateBox(m_rcStatus, true);
    return 0;
}
