#include "ApkInstallerWnd.h"

#include <windowsx.h>
#include <commctrl.h>

#include "ApkInfo.h"
#include "CompanionManager.h"
#include "InstallMessages.h"
#include "OffscreenBuffer.h"
#include "PhoneChoice.h"
#include "PhoneMessages.h"
#include "ProgramDir.h"
#include "SettingsFile.h"
#include "StringResource.h"
#include "VerdictMessages.h"
#include "WindowModule.h"
#include "WindowPainting.h"
#include "WindowPlacement.h"
#include "WindowDpi.h"
#include "WindowRegion.h"
#include "resource.h"

namespace {

// Messages an elevated window must still take from the desktop's unelevated shell for a
// drop: the drop itself and the two the shell's drag-and-drop sends before it.
constexpr UINT kCopyGlobalData = 0x0049;
// Sent on a change of the window's scale (Windows 8.1 and later); absent from older headers.
constexpr UINT kDpiChanged = 0x02E0;

ScreenEdges EdgesOf(const RECT& rect) { return ScreenEdges{rect.left, rect.top, rect.right, rect.bottom}; }

ScreenEdges WorkAreaOf(HWND window)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return EdgesOf(info.rcWork);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return EdgesOf(work);
}

// Lets the drop messages through the message filter of an elevated window. Looked up at
// run time: systems before Windows 7 lack the call and need nothing of the kind.
void AllowDropsWhenElevated(HWND window)
{
    using ChangeFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
    const FARPROC proc = ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx");
    if (!proc) return;
    const auto change = reinterpret_cast<ChangeFilter>(reinterpret_cast<void*>(proc));
    for (const UINT message : {UINT(WM_DROPFILES), UINT(WM_COPYDATA), kCopyGlobalData}) {
        change(window, message, MSGFLT_ALLOW, nullptr);
    }
}

}  // namespace

CApkInstallerWnd::CApkInstallerWnd(std::wstring startPackage) : m_strStartPackage(std::move(startPackage))
{
    const std::wstring language = GetLanguageFilePath();
    ::InitializePermission(language.c_str(), L"CHS");
    if (g_szSettingsPath[0] == L'\0') ResolveSettingsPath();
}

CApkInstallerWnd::~CApkInstallerWnd() = default;

HWND CApkInstallerWnd::CreateMainWindow()
{
    return Create(nullptr, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, L"", WS_POPUP | WS_VISIBLE);
}

BOOL CApkInstallerWnd::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    BOOL handled = TRUE;
    switch (message) {
    case WM_CREATE: result = OnCreate(); break;
    case WM_PAINT: PaintWindow(); result = 0; break;
    case WM_NCHITTEST: result = OnNcHitTest(lParam); break;
    case WM_NCMOUSEMOVE: result = OnNcMouseMove(wParam, lParam); break;
    case WM_NCMOUSELEAVE: result = OnNcMouseLeave(wParam, lParam); break;
    case WM_NCLBUTTONDOWN: result = OnNcLButtonDown(wParam, lParam); break;
    case WM_NCLBUTTONUP: result = OnNcLButtonUp(wParam, lParam); break;
    case WM_SIZE: result = OnSize(wParam, lParam); break;
    case kDpiChanged: result = OnDpiChanged(wParam, lParam); break;
    case WM_CLOSE: result = OnClose(); break;
    case WM_ERASEBKGND: result = 1; break;
    case WM_DROPFILES: result = OnDropFiles(wParam); break;
    case WM_INSTALL_DONE: result = OnInstallDone(wParam); break;
    case WM_INSTALL_NO_DEVICE: result = OnInstallNoDevice(wParam); break;
    case WM_INSTALL_HANDED_OVER: result = OnInstallHandedOver(); break;
    case WM_INSTALL_PROGRESS: result = OnInstallProgress(wParam, lParam); break;
    case WM_PHONES_CHANGED: result = OnPhonesChanged(); break;
    case WM_VERDICT_READY: result = OnVerdictReady(wParam); break;
    case WM_LAUNCHER_READY: result = OnLauncherReady(wParam); break;
    case WM_APP_OPENED: result = OnAppOpened(wParam); break;
    case WM_TIMER: result = OnTimer(wParam); break;
    case WM_MOUSEMOVE: result = OnMouseMove(wParam, lParam); break;
    case WM_MOUSELEAVE: result = OnMouseLeave(wParam, lParam); break;
    case WM_LBUTTONDOWN: result = OnLButtonDown(wParam, lParam); break;
    case WM_LBUTTONUP: result = OnLButtonUp(wParam, lParam); break;
    case WM_SETCURSOR: result = OnSetCursor(wParam, lParam); break;
    case WM_NOTIFY: result = OnNotify(wParam, lParam, handled); break;
    default: handled = FALSE; break;
    }
    return handled;
}

// --- Creation and the frame -------------------------------------------------------------

LRESULT CApkInstallerWnd::OnCreate()
{
    m_scale = DisplayScale::ForDpi(DpiOfWindow(m_hWnd));
    LoadImages();
    m_permissionPanel.CreateRowImageList(m_scale);
    SetWindowIcons();
    ::SetWindowTextW(m_hWnd, LoadStringResource(IDS_APP_TITLE).c_str());
    m_strStatus = LoadStringResource(IDS_INSTALL_LOCATION);
    ::DragAcceptFiles(m_hWnd, TRUE);
    AllowDropsWhenElevated(m_hWnd);
    CreatePermissionList();

    m_nInstallPosition = ReadInstallPosition();
    m_strNote = m_nInstallPosition == kInstallPositionSd ? LoadStringResource(IDS_SD_NOTE) : std::wstring();

    if (!m_strStartPackage.empty()) {
        m_strPackagePath = m_strStartPackage;
        LoadPackageInfo(m_strPackagePath, true);
        SetInstallEnabled(true);
        AskVerdict();
    }

    SizeWindowFor(kCollapsedHeight, nullptr);
    PlaceOnWorkArea();
    m_phoneWatcher.Start(m_hWnd);
    return 0;
}

void CApkInstallerWnd::LoadImages()
{
    m_images.Load(g_windowModule.GetModuleInstance(), m_scale);
}

void CApkInstallerWnd::SetWindowIcons()
{
    // Shared icons at the sizes of the window's scale (32 and 16 at 96 dpi): the system
    // keeps them, so nothing is destroyed.
    const HMODULE module = g_windowModule.GetModuleInstance();
    const auto load = [module](int size) {
        return static_cast<HICON>(
            ::LoadImageW(module, MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON, size, size, LR_SHARED));
    };
    if (const HICON big = load(m_scale.Px(32))) ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, LPARAM(big));
    if (const HICON small = load(m_scale.Px(16))) ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, LPARAM(small));
}

void CApkInstallerWnd::CreatePermissionList()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    m_permissionPanel.CreateListControl(m_hWnd, m_scale);
}

void CApkInstallerWnd::PlaceOnWorkArea()
{
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const ScreenPoint at =
        CentreOnWorkArea(WorkAreaOf(m_hWnd), window.right - window.left, window.bottom - window.top);
    ::SetWindowPos(m_hWnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CApkInstallerWnd::OnSize(WPARAM wParam, LPARAM lParam)
{
    CScopedRegion region = CreateRoundedRegion(LOWORD(lParam), HIWORD(lParam), m_scale.Px(3));
    if (region && ::SetWindowRgn(m_hWnd, region.Get(), TRUE)) region.Release();  // the system's now
    m_zones = ZoneRects::Fixed(m_scale);
    UpdatePhoneZone();
    return DefWindowProc(WM_SIZE, wParam, lParam);
}

LRESULT CApkInstallerWnd::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    const DisplayScale scale = DisplayScale::ForDpi(int(HIWORD(wParam)));
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    if (scale == m_scale) return 0;
    m_scale = scale;
    LoadImages();
    SetWindowIcons();
    m_permissionPanel.ApplyScale(m_scale);
    if (m_pBusyAnimation) StartBusyAnimation();  // in its new place, at its new size
    SizeWindowFor(m_bPanelOpen ? kPanelOpenHeight : kCollapsedHeight, suggested);
    InvalidateAll();
    return 0;
}

void CApkInstallerWnd::SizeWindowFor(int height96, const RECT* suggested)
{
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (suggested ? 0 : SWP_NOMOVE);
    const int x = suggested ? suggested->left : 0, y = suggested ? suggested->top : 0;
    ::SetWindowPos(m_hWnd, nullptr, x, y, m_scale.Px(kWindowWidth), m_scale.Px(height96), flags);
}

LRESULT CApkInstallerWnd::OnClose()
{
    m_verdictTask.Cancel();
    m_launchTask.Cancel();
    m_phoneWatcher.Finish();
    m_installThread.Stop(kCloseStopTimeoutMs);
    // A job that ended while closing waited has posted its message, which DestroyWindow
    // discards: its copy is deleted here, or it would stay in the temporary folder.
    TakeOverTempCopy();
    ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    ::PostQuitMessage(0);
    return 0;
}

LRESULT CApkInstallerWnd::OnNotify(WPARAM, LPARAM lParam, BOOL& handled)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->idFrom != UINT_PTR(IDC_PERMISSION_LIST) || header->code != UINT(NM_CUSTOMDRAW)) {
        handled = FALSE;
        return 0;
    }
    return m_permissionPanel.OnCustomDraw(*reinterpret_cast<const NMLVCUSTOMDRAW*>(lParam), m_images.warning);
}

// --- The close button and the title strip -------------------------------------------------

LRESULT CApkInstallerWnd::OnNcHitTest(LPARAM lParam)
{
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT window{}, client{};
    ::GetWindowRect(m_hWnd, &window);
    ::GetClientRect(m_hWnd, &client);
    const int screenY = point.y;
    ::ScreenToClient(m_hWnd, &point);
    return NonClientHitTest(client.right, point.x, point.y, screenY, window.top, m_scale);
}

LRESULT CApkInstallerWnd::OnNcMouseMove(WPARAM wParam, LPARAM lParam)
{
    if (!m_bNcTracking) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, m_hWnd, 0};
        m_bNcTracking = ::TrackMouseEvent(&track) != FALSE;
    }
    if (m_closeButton.NcMove(int(wParam), ::GetKeyState(VK_LBUTTON) < 0)) InvalidateCloseButton();
    return DefWindowProc(WM_NCMOUSEMOVE, wParam, lParam);
}

LRESULT CApkInstallerWnd::OnNcMouseLeave(WPARAM wParam, LPARAM lParam)
{
    m_bNcTracking = false;
    if (m_closeButton.PointerAway()) InvalidateCloseButton();
    return DefWindowProc(WM_NCMOUSELEAVE, wParam, lParam);
}

LRESULT CApkInstallerWnd::OnNcLButtonDown(WPARAM wParam, LPARAM lParam)
{
    bool lookChanged = false;
    const bool onClose = m_closeButton.NcPress(int(wParam), lookChanged);
    if (lookChanged) InvalidateCloseButton();
    if (onClose) return 0;  // the system must not track its own close button
    return DefWindowProc(WM_NCLBUTTONDOWN, wParam, lParam);  // the title strip: the system moves the window
}

LRESULT CApkInstallerWnd::OnNcLButtonUp(WPARAM wParam, LPARAM lParam)
{
    const bool click = m_closeButton.NcRelease(int(wParam));
    InvalidateCloseButton();
    const LRESULT result = DefWindowProc(WM_NCLBUTTONUP, wParam, lParam);
    if (click) ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return result;
}

void CApkInstallerWnd::InvalidateCloseButton()
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    InvalidateBox(CloseButtonRect(client.right, m_scale), true);
}

// --- The drawn zones ------------------------------------------------------------------------

int CApkInstallerWnd::HitTestZone(int x, int y) const { return HitTestZoneOffering(m_zones, OfferedButtonNow(), x, y); }

int CApkInstallerWnd::OfferedButtonNow() const
{
    return OfferedButton(m_bOutcomeShown != FALSE, m_nState, m_bCompanionBeside, m_bCanOpen);
}

void CApkInstallerWnd::InvalidateZone(int zone)
{
    if (zone >= ZONE_INSTALL && zone <= ZONE_OPEN) InvalidateBox(m_zones.Of(zone), true);
}

void CApkInstallerWnd::InvalidateZones(const ZoneRepaint& repaint)
{
    InvalidateZone(repaint.first);
    if (repaint.second != repaint.first) InvalidateZone(repaint.second);
}

LRESULT CApkInstallerWnd::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    if (!m_bTrackingMouse) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
        m_bTrackingMouse = ::TrackMouseEvent(&track);
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    InvalidateZones(m_zoneTracker.Move(HitTestZone(cursor.x, cursor.y)));
    if (m_closeButton.PointerAway()) InvalidateCloseButton();
    return DefWindowProc(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT CApkInstallerWnd::OnMouseLeave(WPARAM wParam, LPARAM lParam)
{
    m_bTrackingMouse = FALSE;
    InvalidateZones(m_zoneTracker.Leave());
    return DefWindowProc(WM_MOUSELEAVE, wParam, lParam);
}

LRESULT CApkInstallerWnd::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    InvalidateZones(m_zoneTracker.Press(m_bInstallEnabled != FALSE));
    if (m_closeButton.ClientButton()) InvalidateCloseButton();
    return DefWindowProc(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CApkInstallerWnd::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    int clicked = ZONE_NONE;
    InvalidateZones(m_zoneTracker.Release(clicked));
    if (m_closeButton.ClientButton()) InvalidateCloseButton();
    const LRESULT result = DefWindowProc(WM_LBUTTONUP, wParam, lParam);
    OnZoneClicked(clicked);
    return result;
}

void CApkInstallerWnd::OnZoneClicked(int zone)
{
    switch (zone) {
    case ZONE_INSTALL:
        if (m_bInstallEnabled) StartInstall();
        break;
    case ZONE_COMPANION: LaunchCompanionInstaller(); break;
    case ZONE_RETRY: StartInstall(); break;  // the same package, to the same place
    case ZONE_OPEN: OpenApp(); break;
    case ZONE_PERMISSION_TOGGLE: TogglePermissionPanel(); break;
    case ZONE_LOCATION:
        if (m_nState == STATE_READY) ToggleInstallLocation();
        break;
    case ZONE_PHONE:
        if (PhoneLineShown()) ChooseNextPhone();
        break;
    default: break;
    }
}

LRESULT CApkInstallerWnd::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(wParam) == m_hWnd && m_zoneTracker.HoverZone() == ZONE_PERMISSION_TOGGLE) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return DefWindowProc(WM_SETCURSOR, wParam, lParam);
}

// --- The permission panel's window size ---------------------------------------------------

void CApkInstallerWnd::TogglePermissionPanel()
{
    if (m_bPanelOpen) {
        m_bPanelOpen = FALSE;
        SizeWindowFor(kCollapsedHeight, nullptr);
    } else {
        m_bPanelOpen = TRUE;
        EnsurePanelWindowSize();
    }
    InvalidateAll();
}

void CApkInstallerWnd::EnsurePanelWindowSize()
{
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const int height = m_scale.Px(kPanelOpenHeight);
    const int top = TopToFitHeight(WorkAreaOf(m_hWnd), window.top, height);
    const UINT move = top == window.top ? SWP_NOMOVE : 0;
    ::SetWindowPos(m_hWnd, nullptr, window.left, top, m_scale.Px(kWindowWidth), height,
                   move | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- Painting ------------------------------------------------------------------------------

void CApkInstallerWnd::PaintWindow()
{
    CPaintDC paint(m_hWnd);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    COffscreenBuffer buffer;
    if (paint.Get() && buffer.Create(paint.Get(), client.right, client.bottom)) {
        MainWindowView view;
        view.module = reinterpret_cast<HMODULE>(::GetWindowLongPtrW(m_hWnd, GWLP_HINSTANCE));
        wchar_t title[260] = {};
        ::GetWindowTextW(m_hWnd, title, 260);
        view.title = title;
        view.scale = m_scale;
        view.frame = &m_images.frame;
        view.close = &m_images.close;
        view.button = &m_images.button;
        view.selector = &m_images.selector;
        view.selectorArrows = &m_images.selectorArrows;
        view.defaultIcon = &m_images.defaultIcon;
        view.separator = &m_images.separator;
        view.packageIcon = &m_imgPackageIcon;
        view.appName = &m_strAppName;
        view.version = &m_strVersion;
        view.size = &m_strSize;
        view.system = &m_strSystem;
        view.status = &m_strStatus;
        view.note = &m_strNote;
        view.state = m_nState;
        view.installEnabled = m_bInstallEnabled != FALSE;
        view.outcomeShown = m_bOutcomeShown != FALSE;
        view.offeredButton = OfferedButtonNow();
        view.verdict = &m_strVerdict;
        view.verdictColour = m_nVerdictColour;
        view.panelOpen = m_bPanelOpen != FALSE;
        view.installPosition = m_nInstallPosition;
        view.hoverZone = m_zoneTracker.HoverZone();
        view.pressedZone = m_zoneTracker.PressedZone();
        view.closeFrame = m_closeButton.Frame();
        view.zones = m_zones;
        FillPhoneView(view);

        CGdipGraphics graphics;
        graphics.Record(Gdiplus::DllExports::GdipCreateFromHDC(buffer.DC(), graphics.Receive()));
        if (graphics) {
            SetWindowPaintQuality(graphics);
            const PaintedLines lines = PaintWindowContent(graphics, view, client.right, client.bottom);
            m_rcStatus = lines.status;
            m_rcNote = lines.note;
        }
        graphics.Reset();  // flushes everything into the buffer
        ::BitBlt(paint.Get(), 0, 0, client.right, client.bottom, buffer.DC(), 0, 0, SRCCOPY);
    }
    if (m_pBusyAnimation && paint.Get()) m_pBusyAnimation->Draw(paint.Get());
}

void CApkInstallerWnd::InvalidateBox(const BoxRect& box, bool erase)
{
    if (!m_hWnd) return;
    const RECT rect{box.x, box.y, box.x + box.width, box.y + box.height};
    ::InvalidateRect(m_hWnd, &rect, erase ? TRUE : FALSE);
}

void CApkInstallerWnd::InvalidateAll()
{
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}
