// The permission panel: which permissions are listed and in what order, how they are
// broken into rows, how the rows are drawn, and the window growing and shrinking for it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "ApkInfo.h"
#include "AxmlBuilder.h"
#include "ExpectedTexts.h"
#include "MainWindowHarness.h"
#include "ProgramDir.h"
#include "ReferenceText.h"
#include "WindowLooks.h"
#include "ZipBuilder.h"
#include "resource.h"

namespace {

constexpr COLORREF kRowText = RGB(0x54, 0x57, 0x68);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);

HWND ListOf(const CMainWindowHarness& window) { return ::GetDlgItem(window.Window(), 1005); }

int RowCount(const CMainWindowHarness& window)
{
    return int(::SendMessageW(ListOf(window), LVM_GETITEMCOUNT, 0, 0));
}

// Row i's bounds in the window's client coordinates.
BoxRect RowBox(const CMainWindowHarness& window, int row)
{
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    ::SendMessageW(ListOf(window), LVM_GETITEMRECT, WPARAM(row), LPARAM(&bounds));
    ::MapWindowPoints(ListOf(window), window.Window(), reinterpret_cast<POINT*>(&bounds), 2);
    return BoxRect{bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

ShownText RowText(const CMainWindowHarness& window, int row, const std::wstring& text, bool title)
{
    const BoxRect box = RowBox(window, row);
    TextLook look{BoxRect{box.x + 20, box.y, box.width - 20, box.height}, kRowText, TextLayout::Row};
    look.style = title ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular;
    return ShownText{text, look};
}

// The warning icon drawn 2 pixels in and vertically centred: compared at its own pixels.
bool WarningIconAt(const CPixelCanvas& shown, const BoxRect& row)
{
    const int top = row.y + (row.height - 14) / 2;
    int same = 0;
    for (int y = 3; y < 11; ++y) {
        for (int x = 4; x < 12; ++x) {
            same += NearColour(shown.Pixel(row.x + 2 + x, top + y), SkinPixel(IDB_WARNING, 1, 0, x, y, false, kWhite), 8);
        }
    }
    return same >= 60;
}

void OpenPanel(CMainWindowHarness& window)
{
    window.ClickAt(30, 143);
    window.MoveTo(200, 60);
}

// A package with these permissions, and permission texts that know them.
struct CustomTexts {
    struct Permission {
        std::wstring name;
        std::wstring title;
        std::wstring description;
        int level;
    };
    static std::string Utf8(const std::wstring& text)
    {
        const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
        std::string bytes(std::size_t(size), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), &bytes[0], size, nullptr, nullptr);
        return bytes;
    }

    CustomTexts(CTempDirectory& dir, const std::vector<Permission>& permissions)
    {
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<permission-texts><language code=\"CHS\">\n";
        std::vector<std::u16string> names;
        for (std::size_t i = 0; i < permissions.size(); ++i) {
            const Permission& p = permissions[i];
            names.emplace_back(p.name.begin(), p.name.end());
            if (p.level < 0) continue;  // a permission the texts do not know
            const std::string group = "g" + std::to_string(i);
            xml += "<group id=\"" + group + "\" level=\"" + std::to_string(p.level) + "\" title=\"x\"/>\n";
            xml += "<permission name=\"" + Utf8(p.name) + "\" group=\"" + group + "\"><title>" + Utf8(p.title) +
                   "</title><description>" + Utf8(p.description) + "</description></permission>\n";
        }
        xml += "</language></permission-texts>\n";
        language = dir.File(L"Custom.xml");
        WriteBytesToFile(language, xml);
        package = dir.File(L"custom.apk");
        WriteBytesToFile(package,
                         CZipBuilder().Add("AndroidManifest.xml", CAxmlBuilder::Manifest(u"org.example.custom", names)).Build());
        ::InitializePermission(language.c_str(), L"CHS");
    }
    ~CustomTexts() { ::InitializePermission(GetLanguageFilePath().c_str(), L"CHS"); }

    std::wstring language;
    std::wstring package;
};

// The title the library gives one of its special-access names.
std::wstring AccessTitle(const wchar_t* kind)
{
    wchar_t title[150] = {}, description[250] = {}, group[150] = {};
    const std::wstring name = std::wstring(L"special-access:") + kind;
    EXPECT_EQ(0, ::TranslatePermission(name.c_str(), title, 150, description, 250, group, 150)) << name;
    return title;
}

// The titles the panel shows, in order: each row scrolled into view, a row with the
// warning icon read as a title when it shows the next expected one.
std::vector<std::wstring> TitlesShown(CMainWindowHarness& window, const std::vector<std::wstring>& expected)
{
    std::vector<std::wstring> titles;
    for (int row = 0; row < RowCount(window) && titles.size() < expected.size(); ++row) {
        ::SendMessageW(ListOf(window), LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
        const auto shown = window.Capture();
        if (!WarningIconAt(*shown, RowBox(window, row))) continue;
        const std::wstring& next = expected[titles.size()];
        titles.push_back(ShowsText(*shown, {RowText(window, row, next, true)}, kWhite) ? next : L"?");
    }
    return titles;
}


}  // namespace

TEST(PermissionPanel, ApiDemosListsItsRiskyPermissionsHighestFirst)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    OpenPanel(window);
    ASSERT_EQ(347, window.ClientSize().cy);
    const auto shown = window.Capture();
    SaveRender(*shown, L"panel-ApiDemos.png");
    EXPECT_TRUE(ShowsText(*shown, ExpectedTextFor(IDS_HIDE_PERMISSIONS),
                          TextLook{BoxRect{14, 135, 65, 17}, RGB(0x00, 0x80, 0xC9), TextLayout::Left, 12.0f,
                                   Gdiplus::UnitPixel, Gdiplus::FontStyleUnderline}));

    // Eight permissions rated 70 or more and three kinds of special access; RECEIVE_SMS
    // beside its accessibility service makes the pair that leads the SMS group (100).
    ASSERT_GE(RowCount(window), 22);
    EXPECT_TRUE(ShowsText(*shown, {RowText(window, 0, AccessTitle(L"sms-with-accessibility"), true)}, kWhite));
    EXPECT_TRUE(WarningIconAt(*shown, RowBox(window, 0)));
    EXPECT_FALSE(WarningIconAt(*shown, RowBox(window, 1)));
    EXPECT_FALSE(WarningIconAt(*shown, RowBox(window, 2)));
    const std::vector<std::wstring> titles = {AccessTitle(L"sms-with-accessibility"),
                                              L"\x53D1\x9001\x77ED\x4FE1",  // 发送短信
                                              L"\x63A5\x6536\x77ED\x4FE1",  // 接收短信
                                              AccessTitle(L"accessibility"), AccessTitle(L"device-admin")};
    EXPECT_EQ(titles, TitlesShown(window, titles));
}

TEST(PermissionPanel, RowsAreTwentyTwoPixelsHigh)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    OpenPanel(window);
    const BoxRect first = RowBox(window, 0), second = RowBox(window, 1);
    EXPECT_EQ(22, first.height);
    EXPECT_EQ(22, second.y - first.y);
    // Seven whole rows fill the list's 154 visible pixels.
    EXPECT_EQ(7, int(::SendMessageW(ListOf(window), LVM_GETCOUNTPERPAGE, 0, 0)));
}

TEST(PermissionPanel, LevelsSortHighestFirstKeepOrderAndLeaveOutBelowSeventy)
{
    CTempDirectory dir;
    CMainWindowHarness window;
    CustomTexts texts(dir, {{L"p.FIRST_80", L"First eighty", L"", 80},
                            {L"p.HUNDRED", L"Hundred", L"", 100},
                            {L"p.SIXTY_NINE", L"Sixty-nine", L"", 69},
                            {L"p.SECOND_80", L"Second eighty", L"", 80},
                            {L"p.SEVENTY", L"Seventy", L"", 70},
                            {L"p.UNKNOWN_TO_THE_TEXTS", L"", L"", -1}});
    window.Drop({texts.package});
    OpenPanel(window);
    ASSERT_EQ(4, RowCount(window));
    const auto shown = window.Capture();
    EXPECT_TRUE(ShowsText(*shown,
                          {RowText(window, 0, L"Hundred", true), RowText(window, 1, L"First eighty", true),
                           RowText(window, 2, L"Second eighty", true), RowText(window, 3, L"Seventy", true)},
                          kWhite));
}

TEST(PermissionPanel, DescriptionsBecomeOneRowOrNoneAndUntitledEntriesVanish)
{
    CTempDirectory dir;
    CMainWindowHarness window;
    CustomTexts texts(dir, {{L"p.ONE_LINE", L"One line", L"short description", 90},
                            {L"p.NO_DESCRIPTION", L"Alone", L"", 85},
                            {L"p.NO_TITLE", L"", L"never shown", 84},
                            {L"p.NEXT", L"Next", L"", 80}});
    window.Drop({texts.package});
    OpenPanel(window);
    ASSERT_EQ(4, RowCount(window));
    EXPECT_TRUE(ShowsText(*window.Capture(),
                          {RowText(window, 0, L"One line", true), RowText(window, 1, L"short description", false),
                           RowText(window, 2, L"Alone", true), RowText(window, 3, L"Next", true)},
                          kWhite));
}

TEST(PermissionPanel, LongDescriptionIsBrokenIntoRowsThatShowEveryCharacterWhole)
{
    CTempDirectory dir;
    CMainWindowHarness window;
    const std::size_t length = 100;
    CustomTexts texts(dir, {{L"p.LONG", L"Long", std::wstring(length, L'\x6587'), 80}});  // 文
    window.Drop({texts.package});
    OpenPanel(window);
    const int rows = RowCount(window);
    ASSERT_GE(rows, 4);
    const auto shown = window.Capture();
    SaveRender(*shown, L"panel-long-description.png");
    // Which run of the character each row shows, judged against a drawing that is never
    // cut: a row whose end the window cuts off matches no run.
    std::size_t total = 0;
    for (int row = 1; row < rows; ++row) {
        std::size_t run = 0;
        for (std::size_t n = 1; n <= 40 && run == 0; ++n) {
            ShownText expected = RowText(window, row, std::wstring(n, L'\x6587'), false);
            expected.look.drawWidth = 1000;
            if (TextMatches(*shown, {expected}, kWhite)) run = n;
        }
        EXPECT_GT(run, 0u) << "row " << row << " shows no whole run of the character";
        total += run;
    }
    EXPECT_EQ(length, total);
}

TEST(PermissionPanel, ASecondPackageReplacesEveryRow)
{
    CTempDirectory dir;
    CMainWindowHarness window(OwnPackage("many_permissions.apk"));
    OpenPanel(window);
    const int many = RowCount(window);
    ASSERT_GT(many, 40);
    window.Drop({SharedPackage("ApiDemos-debug.apk")});
    EXPECT_EQ(347, window.ClientSize().cy);  // the panel stays open
    EXPECT_LT(RowCount(window), many);
    EXPECT_TRUE(ShowsText(*window.Capture(), {RowText(window, 0, AccessTitle(L"sms-with-accessibility"), true)}, kWhite));
    SaveRender(*window.Capture(), L"panel-after-second-package.png");
}

TEST(PermissionPanel, ManyPermissionsPanelIsDrawnForALook)
{
    CMainWindowHarness window(OwnPackage("many_permissions.apk"));
    OpenPanel(window);
    const auto shown = window.Capture();
    SaveRender(*shown, L"panel-many-permissions.png");
    EXPECT_TRUE(WarningIconAt(*shown, RowBox(window, 0)));
}

TEST(PermissionPanel, TogglingTwiceReturnsToTheCollapsedWindowAndItsRegion)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    OpenPanel(window);
    EXPECT_EQ(347, window.ClientSize().cy);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ::GetWindowRgn(window.Window(), region);
    RECT box{};
    ::GetRgnBox(region, &box);
    EXPECT_EQ(347, box.bottom);
    window.ClickAt(30, 143);
    EXPECT_EQ(160, window.ClientSize().cy);
    ::GetWindowRgn(window.Window(), region);
    ::GetRgnBox(region, &box);
    EXPECT_EQ(160, box.bottom);
    EXPECT_FALSE(::PtInRegion(region, 385, 159));
    ::DeleteObject(region);
    EXPECT_TRUE(ShowsText(*window.Capture(), ExpectedTextFor(IDS_SHOW_PERMISSIONS),
                          TextLook{BoxRect{14, 135, 65, 17}, RGB(0x00, 0x80, 0xC9), TextLayout::Left, 12.0f,
                                   Gdiplus::UnitPixel, Gdiplus::FontStyleUnderline}));
}

TEST(PermissionPanel, OpeningNearTheBottomOfTheWorkAreaMovesTheWindowUp)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(window.Window(), MONITOR_DEFAULTTONEAREST), &info);
    const RECT before = window.WindowRect();
    // The toggle must stay on the screen to be clicked: the window's top 200 pixels above
    // the bottom, so that only the grown window would reach below it.
    ::SetWindowPos(window.Window(), nullptr, before.left, info.rcWork.bottom - 200, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    OpenPanel(window);
    const RECT after = window.WindowRect();
    EXPECT_EQ(info.rcWork.bottom, after.bottom);
    EXPECT_EQ(347, after.bottom - after.top);
    EXPECT_EQ(before.left, after.left);
}

TEST(PermissionPanel, EachKindOfSpecialAccessIsListedFirst)
{
    CMainWindowHarness window;
    OpenPanel(window);
    for (const wchar_t* kind : {L"accessibility", L"notification-listener", L"device-admin", L"vpn", L"input-method",
                                L"autofill", L"default-sms", L"carrier-messaging", L"condition-provider",
                                L"quick-settings-tile", L"wallpaper"}) {
        std::string package = "access_";
        for (const wchar_t* c = kind; *c; ++c) package += *c == L'-' ? '_' : char(*c);
        window.Drop({OwnPackage((package + ".apk").c_str())});
        const std::wstring title = AccessTitle(kind);
        ASSERT_FALSE(title.empty());
        EXPECT_EQ(std::vector<std::wstring>{title}, TitlesShown(window, {title})) << package;
    }
}

TEST(PermissionPanel, SeveralKindsOfSpecialAccessSortWithThePermissions)
{
    CMainWindowHarness window(OwnPackage("access_several.apk"));
    OpenPanel(window);
    const auto first = window.Capture();
    SaveRender(*first, L"panel-special-access.png");
    // The SMS and accessibility pair leads the SMS permission of its level; then the
    // access by level, the lower-risk wallpaper last; INTERNET is not listed.
    const std::vector<std::wstring> expected = {
        AccessTitle(L"sms-with-accessibility"), L"\x8BFB\x53D6\x77ED\x4FE1",  // 读取短信
        AccessTitle(L"accessibility"),          AccessTitle(L"device-admin"),
        AccessTitle(L"default-sms"),            AccessTitle(L"notification-listener"),
        AccessTitle(L"wallpaper")};
    EXPECT_EQ(expected, TitlesShown(window, expected));
    SaveRender(*window.Capture(), L"panel-special-access-end.png");  // scrolled to the last rows
}
