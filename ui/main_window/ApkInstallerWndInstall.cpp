// CApkInstallerWnd, continued: the install flow (Install clicked, the worker's three
// messages, the close countdown, the install location) and the packages it works on (the
// command line's package and dropped files).
#include "ApkInstallerWnd.h"

#include "ApkRecord.h"
#include "ByteSizeText.h"
#include "CompanionManager.h"
#include "DeviceOutcome.h"
#include "DropHandle.h"
#include "InstallProgress.h"
#include "LongPath.h"
#include "PackagePath.h"
#include "SettingsFile.h"
#include "StreamImage.h"
#include "StringResource.h"
#include "WindowTexts.h"
#include "resource.h"

namespace {

// The busy indicator's place at 96 dpi, left of the status line.
constexpr BoxRect kBusyBox{220, 75, 16, 16};
// Its picture comes from the set for the scale, as the images do; never stretched, it is
// centred in the scaled place (which it fills where the set's scale is the window's).
RECT BusyRectFor(const DisplayScale& scale)
{
    const BoxRect box = scale.Box(kBusyBox);
    const int size = DisplayScale::ForDpi(ImageSetPercentFor(scale) * kBaseDpi / 100).Px(kBusyBox.width);
    const int left = box.x + (box.width - size) / 2, top = box.y + (box.height - size) / 2;
    return RECT{left, top, left + size, top + size};
}

// The dropped file's whole path, however long.
std::wstring DroppedPath(HDROP drop, UINT index)
{
    const UINT length = ::DragQueryFileW(drop, index, nullptr, 0);
    std::wstring path(std::size_t(length) + 1, L'\0');
    const UINT copied = ::DragQueryFileW(drop, index, &path[0], length + 1);
    path.resize(copied);
    return path;
}

bool ReadFileSize(const std::wstring& path, std::uint64_t& size)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(ExactFilePath(path).c_str(), GetFileExInfoStandard, &data)) return false;
    size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

}  // namespace

// --- The install flow ------------------------------------------------------------------------

void CApkInstallerWnd::StartInstall()
{
    if (m_strPackagePath.empty()) {
        m_nState = STATE_READY;
        SetStatusText(IDS_DROP_APK_FIRST);
        InvalidateAll();
        return;
    }
    // Nothing else asks the phone while the install runs.
    ClearVerdict();
    m_launchTask.Cancel();
    if (m_bOutcomeShown) {
        // Installing again after a failure: Install's place and the location's note return.
        m_bOutcomeShown = FALSE;
        m_strNote = m_nInstallPosition == kInstallPositionSd ? LoadStringResource(IDS_SD_NOTE) : std::wstring();
    }
    SetStatusText(IDS_INSTALLING);
    SetInstallEnabled(false);
    ::DragAcceptFiles(m_hWnd, FALSE);
    InvalidateAll();

    if (!m_installThread.Start(m_hWnd, m_strPackagePath, m_nInstallPosition == kInstallPositionSd,
                               m_strPhoneSerial)) {
        // No thread could be started: nothing will ever report, so say so now.
        SetStatusText(IDS_ERR_UNKNOWN);
        m_nState = STATE_FAILED;
        SetInstallEnabled(true);
        ::DragAcceptFiles(m_hWnd, TRUE);
        return;
    }
    WriteInstallPosition(m_nInstallPosition);
    StartBusyAnimation();
    m_nState = STATE_INSTALLING;
    // The install's own adb commands have the phone to themselves.
    m_phoneWatcher.Pause();
    UpdatePhoneZone();
}

LRESULT CApkInstallerWnd::OnInstallDone(WPARAM wParam)
{
    StopBusyAnimation();
    m_installThread.Stop();
    TakeOverTempCopy();
    ::DragAcceptFiles(m_hWnd, TRUE);
    m_bCompanionBeside = IsCompanionBeside();

    if (wParam != 0) {
        m_strStatus = FormatWithNumber(LoadStringResource(IDS_INSTALL_SUCCEEDED_FMT), m_nCountdown);
        SetInstallEnabled(false);
        m_nState = STATE_SUCCEEDED;
        ::SetTimer(m_hWnd, IDT_CLOSE_COUNTDOWN, kCountdownPeriodMs, nullptr);
        AskLauncher();
    } else {
        // The note points to the manager's button; without the manager it would send the
        // user to a button that is not there.
        m_strNote = m_bCompanionBeside ? LoadStringResource(IDS_TRY_COMPANION) : std::wstring();
        m_strStatus = m_installThread.GetError();
        m_nState = STATE_FAILED;
    }
    InvalidateAll();
    m_bOutcomeShown = TRUE;
    m_phoneWatcher.Resume();
    UpdatePhoneZone();
    return 0;
}

LRESULT CApkInstallerWnd::OnInstallNoDevice(WPARAM wParam)
{
    // Every code the worker sends has a text; an unknown one still must not leave
    // "installing" standing beside an enabled Install button.
    const unsigned id = NoDeviceMessageId(std::int32_t(wParam));
    SetStatusText(id != 0 ? id : IDS_DEVICE_UNKNOWN_STATE);
    // The watcher may have named the program that holds adb's port.
    if (NoDeviceCode(wParam) == NoDeviceCode::AdbServerHeld && !m_phoneStatus.portHolder.empty()) {
        m_strStatus = FormatPhoneLine(LoadStringResource(IDS_ADB_HELD_BY_FMT), m_phoneStatus.portHolder);
    }
    StopBusyAnimation();
    m_nState = STATE_FAILED;
    SetInstallEnabled(true);
    ::DragAcceptFiles(m_hWnd, TRUE);
    m_phoneWatcher.Resume();
    UpdatePhoneZone();
    InvalidateAll();
    return 0;
}

LRESULT CApkInstallerWnd::OnInstallHandedOver()
{
    m_installThread.Stop();
    TakeOverTempCopy();
    ::DragAcceptFiles(m_hWnd, TRUE);
    SetStatusText(IDS_HANDED_OVER);
    SetInstallEnabled(false);
    InvalidateBox(m_rcStatus, true);
    ::SetTimer(m_hWnd, IDT_CLOSE_COUNTDOWN, kCountdownPeriodMs, nullptr);
    return 0;
}

LRESULT CApkInstallerWnd::OnInstallProgress(WPARAM step, LPARAM detail)
{
    // A step reported late, after the outcome, must not overwrite it.
    const unsigned id = ProgressTextId(step);
    if (m_nState != STATE_INSTALLING || id == 0) return 0;
    m_strStatus = FormatProgress(LoadStringResource(id), step, detail);
    InvalidateBox(m_rcStatus, true);
    return 0;
}

LRESULT CApkInstallerWnd::OnTimer(WPARAM wParam)
{
    if (wParam != IDT_CLOSE_COUNTDOWN) return 0;
    if (m_nCountdown > 0) --m_nCountdown;
    m_strStatus = FormatWithNumber(LoadStringResource(IDS_INSTALL_SUCCEEDED_FMT), m_nCountdown);
    InvalidateBox(m_rcStatus, true);
    if (m_nCountdown <= 0) {
        ::KillTimer(m_hWnd, IDT_CLOSE_COUNTDOWN);
        ::SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
    }
    return 0;
}

void CApkInstallerWnd::ToggleInstallLocation()
{
    if (m_nInstallPosition == kInstallPositionPhone) {
        m_nInstallPosition = kInstallPositionSd;
        m_strNote = LoadStringResource(IDS_SD_NOTE);
    } else {
        m_nInstallPosition = kInstallPositionPhone;
        m_strNote.clear();
    }
    InvalidateBox(m_scale.Box(BoxRect{0, 0, kWindowWidth, kCollapsedHeight}), true);
}

void CApkInstallerWnd::ResetForNewPackage()
{
    ::KillTimer(m_hWnd, IDT_CLOSE_COUNTDOWN);
    m_launchTask.Cancel();
    m_bCanOpen = false;
    if (m_nState != STATE_READY) {
        m_bOutcomeShown = FALSE;
        SetStatusText(IDS_INSTALL_LOCATION);
        // The note follows the location, as it does at start and on every toggle.
        m_strNote = m_nInstallPosition == kInstallPositionSd ? LoadStringResource(IDS_SD_NOTE) : std::wstring();
        m_nState = STATE_READY;
        // Only a hand-over leaves the indicator turning; its job is over, nothing is busy.
        if (!m_installThread.IsRunning()) StopBusyAnimation();
        UpdatePhoneZone();
    }
    m_nCountdown = kCountdownSeconds;
}

void CApkInstallerWnd::StartBusyAnimation()
{
    StopBusyAnimation();  // a hand-over leaves one running
    auto busy = std::make_unique<CAnimationGif>(m_hWnd, BusyRectFor(m_scale));
    if (busy->LoadFromResource(ScaledResourceId(IDR_BUSY_GIF, m_scale))) busy->StartAnimation();
    m_pBusyAnimation = std::move(busy);
}

void CApkInstallerWnd::StopBusyAnimation()
{
    if (!m_pBusyAnimation) return;
    m_pBusyAnimation->StopAnimation();
    m_pBusyAnimation.reset();
    const RECT busy = BusyRectFor(m_scale);
    InvalidateBox(BoxRect{busy.left, busy.top, busy.right - busy.left, busy.bottom - busy.top}, true);
}

void CApkInstallerWnd::TakeOverTempCopy()
{
    m_strTempCopyPath = m_installThread.TakeTempApkPath();
    if (!m_strTempCopyPath.empty()) ::DeleteFileW(ExtendedLengthPath(m_strTempCopyPath).c_str());
}

void CApkInstallerWnd::SetInstallEnabled(bool enabled)
{
    m_bInstallEnabled = enabled ? TRUE : FALSE;
    InvalidateZone(ZONE_INSTALL);
}

void CApkInstallerWnd::SetStatusText(UINT id) { m_strStatus = LoadStringResource(id); }

// --- Packages ----------------------------------------------------------------------------------

LRESULT CApkInstallerWnd::OnDropFiles(WPARAM wParam)
{
    const CDropHandle drop(reinterpret_cast<HDROP>(wParam));
    // The shell is told not to drop while a job runs; a drop that comes anyway must not
    // pull the window out from under the job.
    if (m_installThread.IsRunning()) return 0;
    ResetForNewPackage();
    if (::DragQueryFileW(drop.Get(), 0xFFFFFFFF, nullptr, 0) == 1) {
        m_strPackagePath = DroppedPath(drop.Get(), 0);
        if (HasPackageExtension(m_strPackagePath)) LoadPackageInfo(m_strPackagePath, false);
        SetInstallEnabled(true);
    }
    AskVerdict();  // for the new package, or none
    if (m_bPanelOpen) EnsurePanelWindowSize();
    InvalidateAll();
    return 0;
}

void CApkInstallerWnd::LoadPackageInfo(const std::wstring& path, bool atStart)
{
    CApkRecord record;
    const int parsed = record.Parse(path.c_str(), m_scale.Px(kIconBox.width));
    m_strAppName = record.AppName();

    std::uint64_t size = record.FileSize();
    if (atStart || parsed != 0 || ReadFileSize(path, size)) m_strSize = FormatByteSize(size);

    m_strVersion = record.Version();
    m_strSystem = record.System();

    // Decoded from a copy of the bytes: the record's stream goes with ReleaseApk.
    m_imgPackageIcon = LoadImageFromStreamCopy(record.IconStream());
    if (!m_imgPackageIcon) m_imgPackageIcon.Reset();

    m_permissionPanel.BuildPermissionList(record.PermissionNames());
}
