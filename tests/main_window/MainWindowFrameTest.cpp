// The window as it opens, its shape and place, and the pointer on its drawn parts.
#include <gtest/gtest.h>

#include "ExpectedTexts.h"
#include "MainWindowHarness.h"
#include "ReferenceText.h"
#include "WindowLooks.h"
#include "WindowZones.h"
#include "resource.h"

namespace {

TextLook StatusReady() { return TextLook{BoxRect{240, 64, 70, 40}, kStatusGrey}; }
TextLook FactsRow(int row) { return TextLook{BoxRect{88, 35 + 20 * row, 120, 20}, RGB(0, 0, 0)}; }
TextLook Toggle()
{
    TextLook look{kPermissionToggleRect, RGB(0x00, 0x80, 0xC9)};
    look.style = Gdiplus::FontStyleUnderline;
    return look;
}

bool InRegion(HWND window, int x, int y)
{
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    const int kind = ::GetWindowRgn(window, region);
    const bool inside = kind != ERROR && ::PtInRegion(region, x, y);
    ::DeleteObject(region);
    return inside;
}

RECT WorkAreaOf(HWND window)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

}  // namespace

TEST(MainWindowFrame, OpensEmptyCentredOnTheWorkAreaWithItsReadyTexts)
{
    CMainWindowHarness harness;
    const RECT window = harness.WindowRect();
    EXPECT_EQ(386, window.right - window.left);
    EXPECT_EQ(160, window.bottom - window.top);
    const RECT work = WorkAreaOf(harness.Window());
    EXPECT_EQ(work.left + (work.right - work.left) / 2 - 193, window.left);
    EXPECT_EQ(work.top + (work.bottom - work.top) / 2 - 80, window.top);

    wchar_t title[64] = {};
    ::GetWindowTextW(harness.Window(), title, 64);
    EXPECT_EQ(ExpectedTextFor(IDS_APP_TITLE), title);

    const auto shown = harness.Capture();
    SaveRender(*shown, L"state-ready-empty.png");
    EXPECT_TRUE(ShowsText(*shown, ExpectedTextFor(IDS_INSTALL_LOCATION), StatusReady()));
    EXPECT_TRUE(ShowsText(*shown, L"", FactsRow(0)));
    EXPECT_TRUE(ShowsText(*shown, L"\x7248\x672C\xFF1A", FactsRow(1)));  // 版本：
    EXPECT_TRUE(ShowsText(*shown, L"\x5927\x5C0F\xFF1A", FactsRow(2)));  // 大小：
    EXPECT_TRUE(ShowsText(*shown, L"\x7CFB\x7EDF\xFF1A", FactsRow(3)));  // 系统：
    EXPECT_TRUE(ShowsText(*shown, ExpectedTextFor(IDS_SHOW_PERMISSIONS), Toggle()));
    EXPECT_EQ(3, PushButtonFrameAt(*shown, kInstallRect));  // disabled until a package is read
    EXPECT_TRUE(SelectorShown(*shown));
    // The default icon, unscaled and centred in the icon box: its top-left at (16, 42).
    EXPECT_TRUE(NearColour(SkinPixel(IDB_DEFAULT_APP_ICON, 1, 0, 27, 28), shown->Pixel(16 + 27, 42 + 28), 2));
}

TEST(MainWindowFrame, RegionCutsThreeStepsFromEachCornerAndFollowsTheSize)
{
    CMainWindowHarness harness;
    EXPECT_FALSE(InRegion(harness.Window(), 0, 0));
    EXPECT_FALSE(InRegion(harness.Window(), 2, 0));
    EXPECT_TRUE(InRegion(harness.Window(), 3, 0));
    EXPECT_FALSE(InRegion(harness.Window(), 0, 2));
    EXPECT_TRUE(InRegion(harness.Window(), 1, 2));
    EXPECT_FALSE(InRegion(harness.Window(), 385, 159));
    EXPECT_TRUE(InRegion(harness.Window(), 382, 159));
    EXPECT_TRUE(InRegion(harness.Window(), 200, 80));
    EXPECT_FALSE(InRegion(harness.Window(), 200, 160));
}

TEST(MainWindowFrame, CommandLinePackageIsShownAndInstallEnabled)
{
    CMainWindowHarness harness(SharedPackage("ApiDemos-debug.apk"));
    const auto shown = harness.Capture();
    SaveRender(*shown, L"state-ready-package.png");
    EXPECT_TRUE(ShowsText(*shown, L"API Demos", FactsRow(0)));
    EXPECT_TRUE(ShowsText(*shown, L"\x7248\x672C\xFF1A" L"5.0.0", FactsRow(1)));
    EXPECT_TRUE(ShowsText(*shown, L"\x5927\x5C0F\xFF1A" L"6.12 MB", FactsRow(2)));
    EXPECT_TRUE(ShowsText(*shown, L"\x7CFB\x7EDF\xFF1A" L"Android 4.2+", FactsRow(3)));
    EXPECT_EQ(0, PushButtonFrameAt(*shown, kInstallRect));
    // The package's own icon, not the default one.
    EXPECT_FALSE(NearColour(SkinPixel(IDB_DEFAULT_APP_ICON, 1, 0, 27, 28), shown->Pixel(16 + 27, 42 + 28), 2));
}

TEST(MainWindowFrame, ArgumentThatIsNoPackageIsStillTakenAndShowsZeroBytes)
{
    CTempDirectory dir;
    const std::wstring text = dir.File(L"notes.txt");
    WriteBytesToFile(text, "not a package");
    CMainWindowHarness harness(text);
    const auto shown = harness.Capture();
    EXPECT_TRUE(ShowsText(*shown, L"", FactsRow(0)));
    EXPECT_TRUE(ShowsText(*shown, L"\x5927\x5C0F\xFF1A" L"13 B", FactsRow(2)));
    EXPECT_EQ(0, PushButtonFrameAt(*shown, kInstallRect));
}

TEST(MainWindowFrame, CloseButtonHoverPressAndMovingOffKeepsTheWindowOpen)
{
    CMainWindowHarness harness;
    const BoxRect close = CloseButtonRect(386);
    harness.MoveTo(close.x + 10, close.y + 10);
    EXPECT_EQ(1, CloseButtonFrameAt(*harness.Capture()));
    harness.Press();
    EXPECT_EQ(2, CloseButtonFrameAt(*harness.Capture()));
    harness.MoveTo(200, 10);  // onto the title strip, button still down
    EXPECT_EQ(0, CloseButtonFrameAt(*harness.Capture()));
    harness.Release();
    harness.Pump(100);
    EXPECT_TRUE(harness.IsOpen());
    // Both states were cleared: coming back without a press shows hover only.
    harness.MoveTo(close.x + 10, close.y + 10);
    EXPECT_EQ(1, CloseButtonFrameAt(*harness.Capture()));
}

TEST(MainWindowFrame, LeavingTheCloseButtonForTheClientAreaDropsItsHoverLook)
{
    CMainWindowHarness harness;
    const BoxRect close = CloseButtonRect(386);
    harness.MoveTo(close.x + 10, close.y + 10);
    harness.MoveTo(200, 80);
    EXPECT_EQ(0, CloseButtonFrameAt(*harness.Capture()));
}

TEST(MainWindowFrame, ClickOnTheCloseButtonClosesAndQuitsWithZero)
{
    CMainWindowHarness harness;
    const BoxRect close = CloseButtonRect(386);
    harness.ClickAt(close.x + 10, close.y + 10);
    EXPECT_TRUE(harness.PumpUntil([&] { return !harness.IsOpen(); }, 2000));
    EXPECT_TRUE(harness.QuitPosted());
    EXPECT_EQ(0, harness.QuitCode());
}

TEST(MainWindowFrame, PressOnOneZoneAndReleaseOnAnotherDoesNothing)
{
    CMainWindowHarness harness;
    harness.MoveTo(30, 143);  // the permission toggle
    harness.Press();
    harness.MoveTo(340, 80);  // the location selector
    harness.Release();
    harness.Pump(100);
    EXPECT_EQ(160, harness.ClientSize().cy);
    const auto shown = harness.Capture();
    EXPECT_TRUE(ShowsText(*shown, L"", TextLook{BoxRect{225, 97, 165, 20}, kNoteGrey, TextLayout::TopLeft, 8.0f,
                                                 Gdiplus::UnitPoint}));
}

TEST(MainWindowFrame, DoubleClickOnTheToggleOpensThePanelOnce)
{
    CMainWindowHarness harness;
    harness.DoubleClickAt(30, 143);
    harness.Pump(300);
    EXPECT_EQ(347, harness.ClientSize().cy);
}

TEST(MainWindowFrame, HandCursorOverThePermissionToggleOnly)
{
    CMainWindowHarness harness;
    harness.MoveTo(30, 143);
    ::SendMessageW(harness.Window(), WM_SETCURSOR, WPARAM(harness.Window()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_HAND), ::GetCursor());
    harness.MoveTo(340, 138);  // Install keeps the arrow
    ::SendMessageW(harness.Window(), WM_SETCURSOR, WPARAM(harness.Window()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());
}

TEST(MainWindowFrame, TimerOfAnotherIdChangesNothing)
{
    CMainWindowHarness harness;
    const auto before = harness.Capture();
    ::SendMessageW(harness.Window(), WM_TIMER, 7, 0);
    harness.Pump(100);
    EXPECT_TRUE(harness.IsOpen());
    EXPECT_EQ(0, CountDifferent(*before, *harness.Capture(), BoxRect{0, 0, 386, 160}));
}

namespace {

// What the system sends when the window moves onto a monitor of another scale.
void MoveOntoMonitorOfDpi(HWND window, int dpi, const RECT& suggested)
{
    RECT rect = suggested;
    ::SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
}

}  // namespace

TEST(MainWindowFrame, AnotherMonitorsScaleResizesReshapesAndRedrawsInTheSuggestedPlace)
{
    CMainWindowHarness harness(SharedPackage("ApiDemos-debug.apk"));
    harness.Pump(200);
    const auto before = harness.Capture();

    MoveOntoMonitorOfDpi(harness.Window(), 144, RECT{100, 80, 679, 320});
    harness.Pump(200);
    const RECT at150 = harness.WindowRect();
    EXPECT_EQ(100, at150.left);
    EXPECT_EQ(80, at150.top);
    EXPECT_EQ(579, at150.right - at150.left);
    EXPECT_EQ(240, at150.bottom - at150.top);
    // The corner's staircase is five steps at 150 %.
    EXPECT_FALSE(InRegion(harness.Window(), 4, 0));
    EXPECT_TRUE(InRegion(harness.Window(), 5, 0));
    EXPECT_FALSE(InRegion(harness.Window(), 0, 4));
    // The frame drawn for 150 %: its title band is 39 rows, the last two in its dark edge.
    const auto at150Look = harness.Capture();
    SaveRender(*at150Look, L"scale-150-after-move.png");
    EXPECT_TRUE(NearColour(RGB(0x17, 0x6F, 0xAE), at150Look->Pixel(200, 38), 2));
    EXPECT_EQ(kBackground, at150Look->Pixel(200, 39));

    // The permission toggle where it lies at 150 % opens the panel to its height there.
    const BoxRect toggle = DisplayScale::ForDpi(144).Box(kPermissionToggleRect);
    harness.ClickAt(toggle.x + toggle.width / 2, toggle.y + toggle.height / 2);
    ASSERT_TRUE(harness.PumpUntil([&] { return harness.ClientSize().cy == 521; }, 2000));

    // Back at 96 dpi with the panel open, then closed: the window is as it was.
    MoveOntoMonitorOfDpi(harness.Window(), 96, RECT{100, 80, 486, 427});
    harness.Pump(200);
    EXPECT_EQ(386, harness.ClientSize().cx);
    EXPECT_EQ(347, harness.ClientSize().cy);
    harness.ClickAt(kPermissionToggleRect.x + 10, kPermissionToggleRect.y + 8);
    ASSERT_TRUE(harness.PumpUntil([&] { return harness.ClientSize().cy == 160; }, 2000));
    harness.MoveTo(200, 5);
    harness.Pump(200);
    EXPECT_EQ(0, CountDifferent(*before, *harness.Capture(), BoxRect{0, 27, 386, 133}));
}
