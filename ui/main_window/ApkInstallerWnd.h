// The program's one window: borderless, 386 x 160 pixels (386 x 347 with the permission
// panel open), every element drawn by itself. It shows the package, offers Install or the
// companion manager's installer, the install location and the permission panel, and
// follows one install job through its states.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "AnimationGif.h"
#include "ApkInstallerThread.h"
#include "BoxRect.h"
#include "CloseButtonTracker.h"
#include "DisplayScale.h"
#include "GdiPlusObjects.h"
#include "PermissionPanel.h"
#include "PhoneTask.h"
#include "PhoneWatcher.h"
#include "WindowImages.h"
#include "WindowImpl.h"
#include "WindowPainting.h"
#include "WindowStyle.h"
#include "WindowZones.h"
#include "ZoneTracker.h"

inline constexpr UINT_PTR IDT_CLOSE_COUNTDOWN = 8;
inline constexpr UINT kCountdownPeriodMs = 1000;
inline constexpr int kCountdownSeconds = 5;
// How long closing waits for an install still running before it abandons the job.
inline constexpr DWORD kCloseStopTimeoutMs = 5000;

class CApkInstallerWnd : public CWindowImplBase {
public:
    // startPackage: the command line's package, loaded while the window is created.
    explicit CApkInstallerWnd(std::wstring startPackage = std::wstring());
    ~CApkInstallerWnd() override;

    BOOL ProcessWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Creates the window (hidden until WM_CREATE has placed it); null on failure.
    HWND CreateMainWindow();

private:
    // Creation and the frame.
    LRESULT OnCreate();
    void LoadImages();
    void SetWindowIcons();
    void CreatePermissionList();
    void PlaceOnWorkArea();
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    // A move to a monitor of another scale, or a change of the scale: the suggested place,
    // everything sized again, the images drawn for the new scale.
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    void SizeWindowFor(int height96, const RECT* suggested);
    LRESULT OnClose();
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam, BOOL& handled);

    // The close button and the title strip.
    LRESULT OnNcHitTest(LPARAM lParam);
    LRESULT OnNcMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonUp(WPARAM wParam, LPARAM lParam);
    void InvalidateCloseButton();

    // The drawn zones.
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    int HitTestZone(int x, int y) const;
    int OfferedButtonNow() const;
    void InvalidateZone(int zone);
    void InvalidateZones(const ZoneRepaint& repaint);
    void OnZoneClicked(int zone);

    // The install flow.
    void StartInstall();
    LRESULT OnInstallDone(WPARAM wParam);
    LRESULT OnInstallNoDevice(WPARAM wParam);
    LRESULT OnInstallHandedOver();
    LRESULT OnInstallProgress(WPARAM step, LPARAM detail);
    LRESULT OnTimer(WPARAM wParam);
    void ToggleInstallLocation();
    void ResetForNewPackage();
    void StopBusyAnimation();
    void StartBusyAnimation();
    void TakeOverTempCopy();
    void SetInstallEnabled(bool enabled);
    void SetStatusText(UINT id);

    // The phones before any click.
    LRESULT OnPhonesChanged();
    void ChooseNextPhone();
    bool PhoneLineShown() const;
    void UpdatePhoneZone();
    void InvalidatePhoneLine();
    void FillPhoneView(MainWindowView& view) const;

    // The verdict before the click, and the app opened after a success.
    void AskVerdict();
    void ClearVerdict();
    LRESULT OnVerdictReady(WPARAM wParam);
    void AskLauncher();
    LRESULT OnLauncherReady(WPARAM wParam);
    void OpenApp();
    LRESULT OnAppOpened(WPARAM wParam);

    // Packages.
    LRESULT OnDropFiles(WPARAM wParam);
    void LoadPackageInfo(const std::wstring& path, bool atStart);

    // The permission panel's window size.
    void TogglePermissionPanel();
    void EnsurePanelWindowSize();

    // Painting.
    void PaintWindow();
    void InvalidateBox(const BoxRect& box, bool erase);
    void InvalidateAll();

    const std::wstring m_strStartPackage;

    // Declared first, destroyed last: its destructor still stops a running job.
    CApkInstallerThread m_installThread;
    // Watches the phones while no install runs; ended before the window goes.
    CPhoneWatcher m_phoneWatcher;
    PhoneStatus m_phoneStatus;
    std::wstring m_strPhoneSerial;  // the ready phone an install goes to; empty: none known

    // Every length below is in this scale's pixels; the layout's are written for 96 dpi.
    DisplayScale m_scale;
    WindowImages m_images;
    CGdipImage m_imgPackageIcon;

    CCloseButtonTracker m_closeButton;
    bool m_bNcTracking = false;

    std::wstring m_strAppName;
    std::wstring m_strSize;
    std::wstring m_strVersion;
    std::wstring m_strStatus;
    std::wstring m_strPackagePath;
    std::wstring m_strTempCopyPath;
    std::wstring m_strSystem;
    std::wstring m_strNote;
    int m_nCountdown = kCountdownSeconds;

    ZoneRects m_zones;
    BoxRect m_rcStatus;
    BoxRect m_rcNote;
    CZoneTracker m_zoneTracker;
    BOOL m_bTrackingMouse = FALSE;
    BOOL m_bInstallEnabled = FALSE;
    BOOL m_bPanelOpen = FALSE;
    BOOL m_bOutcomeShown = FALSE;
    // Looked for when an outcome is shown: without the manager its button would do nothing.
    bool m_bCompanionBeside = false;
    bool m_bCanOpen = false;  // the installed app has a launcher activity to start

    // Questions to the phone, never while an install runs; their results come as messages.
    CPhoneTask m_verdictTask;
    CPhoneTask m_launchTask;
    std::wstring m_strVerdict;  // the ready state's verdict line; empty: none
    std::uint32_t m_nVerdictColour = 0;
    std::wstring m_strLaunchPhone;     // the phone the app was installed on
    std::wstring m_strPackageName;     // of the package on the phone, for opening it
    std::wstring m_strLauncher;        // its launcher activity; empty: through monkey

    CPermissionPanel m_permissionPanel;
    std::unique_ptr<CAnimationGif> m_pBusyAnimation;
    int m_nState = STATE_READY;
    int m_nInstallPosition = 0;
};
