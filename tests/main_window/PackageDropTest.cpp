// Files dropped onto the window: which are read as packages, what the window shows for
// them, and how a drop ends a shown outcome.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "AxmlBuilder.h"
#include "ExpectedTexts.h"
#include "FileSha256.h"
#include "LongPath.h"
#include "MainWindowHarness.h"
#include "ReferenceText.h"
#include "WindowLooks.h"
#include "WindowZones.h"
#include "ZipBuilder.h"
#include "resource.h"

namespace {

TextLook FactsRow(int row) { return TextLook{BoxRect{88, 35 + 20 * row, 120, 20}, RGB(0, 0, 0)}; }
const std::wstring kVersion = L"\x7248\x672C\xFF1A";  // 版本：
const std::wstring kSize = L"\x5927\x5C0F\xFF1A";     // 大小：
const std::wstring kSystem = L"\x7CFB\x7EDF\xFF1A";   // 系统：

::testing::AssertionResult ShowsFacts(CMainWindowHarness& window, const std::wstring& name,
                                      const std::wstring& version, const std::wstring& size,
                                      const std::wstring& system)
{
    return ShowsText(*window.Capture(), {{name, FactsRow(0)},
                                         {kVersion + version, FactsRow(1)},
                                         {kSize + size, FactsRow(2)},
                                         {kSystem + system, FactsRow(3)}});
}

bool ShowsDefaultIcon(CMainWindowHarness& window)
{
    return NearColour(SkinPixel(IDB_DEFAULT_APP_ICON, 1, 0, 27, 28), window.Capture()->Pixel(16 + 27, 42 + 28), 2);
}

bool CopyInto(const std::wstring& from, const std::wstring& to)
{
    return ::CopyFileW(ExtendedLengthPath(from).c_str(), ExtendedLengthPath(to).c_str(), FALSE) != FALSE;
}

void ReadyPhone(CFakeAdbScenario& phone, const wchar_t* installOutput = L"Success\\r\\n")
{
    phone.SetDevices({{L"HT123ABC", L"device"}});
    phone.Set(L"getInstallLocation", L"output-text", L"0[auto]\\r\\n");
    phone.Set(L"install_r_f", L"output-text", installOutput);
}

std::wstring Countdown(int seconds)
{
    std::wstring text = ExpectedTextFor(IDS_INSTALL_SUCCEEDED_FMT);
    return text.replace(text.find(L"%d"), 2, std::to_wstring(seconds));
}

const TextLook kSucceeded{BoxRect{218, 72, 161, 20}, kStatusGreen};
const TextLook kReady{BoxRect{240, 64, 70, 40}, kStatusGrey};
const TextLook kFailed{BoxRect{240, 64, 145, 40}, kStatusRed};

}  // namespace

TEST(PackageDrop, OnePackageIsReadAndInstallEnabled)
{
    CMainWindowHarness window;
    window.Drop({SharedPackage("ApiDemos-debug.apk")});
    EXPECT_TRUE(ShowsFacts(window, L"API Demos", L"5.0.0", L"6.12 MB", L"Android 4.2+"));
    EXPECT_FALSE(ShowsDefaultIcon(window));
    EXPECT_EQ(0, PushButtonFrameAt(*window.Capture(), kInstallRect));
}

TEST(PackageDrop, LongChineseLabelIsCutWithAnEllipsisAt120Pixels)
{
    CTempDirectory dir;
    const std::u16string label = u"\u8D85\u7EA7\u65E0\u654C\u8DD1\u9177\u5927\u5192\u9669\u8C6A\u534E\u7EAA\u5FF5\u7248";
    CAxmlBuilder manifest;
    manifest.Start(u"manifest", {CAxmlBuilder::Text(u"package", 0, u"org.example.label"),
                                 CAxmlBuilder::Text(u"versionName", 0x0101021c, u"1.0")});
    manifest.Start(u"application", {CAxmlBuilder::Text(u"label", 0x01010001, label)}).End();
    manifest.End();
    const std::wstring package = dir.File(L"label.apk");
    WriteBytesToFile(package, CZipBuilder().Add("AndroidManifest.xml", manifest.Build()).Build());

    CMainWindowHarness window;
    window.Drop({package});
    const auto shown = window.Capture();
    SaveRender(*shown, L"drop-long-label.png");
    EXPECT_TRUE(ShowsText(*shown, std::wstring(label.begin(), label.end()), FactsRow(0)));
    // Cut: nothing is drawn past the row's 120 pixels.
    EXPECT_EQ(20 * 20, CountColour(*shown, BoxRect{208, 35, 20, 20}, kBackground));
}

TEST(PackageDrop, ExtensionInCapitalsIsAPackageToo)
{
    CTempDirectory dir;
    const std::wstring upper = dir.File(L"DEMOS.APK");
    ASSERT_TRUE(CopyInto(SharedPackage("ApiDemos-debug.apk"), upper));
    CMainWindowHarness window;
    window.Drop({upper});
    EXPECT_TRUE(ShowsFacts(window, L"API Demos", L"5.0.0", L"6.12 MB", L"Android 4.2+"));
}

TEST(PackageDrop, TwoFilesOnlyEndTheOutcomeAndKeepThePackage)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    ReadyPhone(window.Phone(), L"Failure [INSTALL_FAILED_ALREADY_EXISTS]\\r\\n");
    window.ClickAt(340, 138);
    ASSERT_TRUE(window.PumpUntil([&] { return TextMatches(*window.Capture(), {{ExpectedTextFor(IDS_ERR_ALREADY_EXISTS), kFailed}, {ExpectedTextFor(IDS_TRY_COMPANION), TextLook{BoxRect{214, 97, 170, 15}, kStatusGrey, TextLayout::TopLeft, 8.0f, Gdiplus::UnitPoint}}}); }, 10000));
    window.MoveTo(200, 60);
    window.Drop({OwnPackage("zh_label.apk"), OwnPackage("raw_label.apk")});
    const auto shown = window.Capture();
    EXPECT_TRUE(ShowsText(*shown, ExpectedTextFor(IDS_INSTALL_LOCATION), kReady));
    EXPECT_TRUE(SelectorShown(*shown));
    EXPECT_EQ(3, PushButtonFrameAt(*shown, kInstallRect));  // as it was after the failed install
    EXPECT_TRUE(ShowsFacts(window, L"API Demos", L"5.0.0", L"6.12 MB", L"Android 4.2+"));
}

TEST(PackageDrop, TextFileOrFileWithoutExtensionIsTakenButNotRead)
{
    CTempDirectory dir;
    const std::wstring text = dir.File(L"readme.txt"), bare = dir.File(L"package");
    WriteBytesToFile(text, "plain text, not a package");
    ASSERT_TRUE(CopyInto(SharedPackage("ApiDemos-debug.apk"), bare));
    for (const std::wstring& file : {text, bare}) {
        CMainWindowHarness window(OwnPackage("zh_label.apk"));
        const auto before = window.Capture();
        window.Drop({file});
        const auto after = window.Capture();
        EXPECT_EQ(0, CountDifferent(*before, *after, BoxRect{9, 35, 200, 80})) << "the facts stay";
        EXPECT_EQ(0, PushButtonFrameAt(*after, kInstallRect));

        // The install runs on the dropped file itself.
        ReadyPhone(window.Phone());
        window.ClickAt(340, 138);
        ASSERT_TRUE(window.PumpUntil([&] { return window.Phone().RecordedPackages().size() == 1; }, 10000));
        unsigned long long size = 0;
        EXPECT_EQ(Sha256OfFile(file, &size), window.Phone().RecordedPackages()[0].sha256);
    }
}

TEST(PackageDrop, NameEndingInADotOrABlankIsThatVeryFile)
{
    // Beside game.apk, whose name the classic form of either opens; in a folder so deep
    // that its path is made whole by the system first, which drops them as well.
    CTempDirectory top;
    const std::wstring dir = top.File(std::wstring(240, L'd')) + L"\\";
    ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + dir).c_str(), nullptr));
    const std::wstring other = OwnPackage("zh_label.apk");
    ASSERT_TRUE(CopyInto(SharedPackage("ApiDemos-debug.apk"), dir + L"game.apk"));
    for (const wchar_t* name : {L"game.apk.", L"game.apk "}) {
        ASSERT_TRUE(::CopyFileW(other.c_str(), (L"\\\\?\\" + dir + name).c_str(), FALSE)) << name;
    }
    const BoxRect facts{0, 30, 215, 90};  // icon, name, version, size, system
    std::unique_ptr<CPixelCanvas> expected;
    {
        CMainWindowHarness reference(other);
        expected = reference.Capture();
    }
    const auto installed = [](CMainWindowHarness& window, std::size_t count) {
        window.ClickAt(340, 138);
        return window.PumpUntil([&] { return TextMatches(*window.Capture(), {{Countdown(5), kSucceeded}}); }, 10000) &&
               window.Phone().RecordedPackages().size() == count;
    };

    // Opened from the command line: read and installed.
    CMainWindowHarness window(dir + L"game.apk.");
    EXPECT_EQ(0, CountDifferent(*expected, *window.Capture(), facts));
    ReadyPhone(window.Phone());
    ASSERT_TRUE(installed(window, 1));
    // Dropped: not read as a package (it has no .apk extension), installed all the same.
    window.Drop({dir + L"game.apk "});
    ASSERT_TRUE(installed(window, 2));
    for (const auto& package : window.Phone().RecordedPackages()) EXPECT_EQ(Sha256OfFile(other), package.sha256);
}

TEST(PackageDrop, UnreadablePackageShowsItsFileSizeTheDefaultIconAndNoTexts)
{
    CTempDirectory dir;
    const std::wstring broken = dir.File(L"broken.apk");
    WriteBytesToFile(broken, std::string(3000, 'x'));
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    window.Drop({broken});
    EXPECT_TRUE(ShowsFacts(window, L"", L"", L"2.93 KB", L""));
    EXPECT_TRUE(ShowsDefaultIcon(window));
    EXPECT_EQ(0, PushButtonFrameAt(*window.Capture(), kInstallRect));
    // The permission rows went with the package.
    EXPECT_EQ(0, int(::SendMessageW(::GetDlgItem(window.Window(), 1005), LVM_GETITEMCOUNT, 0, 0)));
}

TEST(PackageDrop, PathLongerThanThreeHundredCharactersIsReadAndInstalledWhole)
{
    CTempDirectory root;
    std::wstring dir = root.Path();
    while (dir.size() < 320) {
        dir += L"\x5B89\x88C5\x5305\x6587\x4EF6\x5939\x76EE\x5F55\x540D\x79F0\x6D4B\x8BD5\\";  // 安装包文件夹目录名称测试
        ASSERT_TRUE(::CreateDirectoryW(ExtendedLengthPath(dir).c_str(), nullptr) ||
                    ::GetLastError() == ERROR_ALREADY_EXISTS);
    }
    const std::wstring package = dir + L"\x6E38\x620F.apk";  // 游戏.apk
    ASSERT_GT(package.size(), 300u);
    ASSERT_TRUE(CopyInto(SharedPackage("ApiDemos-debug.apk"), package));

    CMainWindowHarness window;
    window.Drop({package});
    EXPECT_TRUE(ShowsFacts(window, L"API Demos", L"5.0.0", L"6.12 MB", L"Android 4.2+"));
    ReadyPhone(window.Phone());
    window.ClickAt(340, 138);
    ASSERT_TRUE(window.PumpUntil([&] { return TextMatches(*window.Capture(), {{Countdown(5), kSucceeded}}); }, 10000));
    const auto installed = window.Phone().RecordedPackages();
    ASSERT_EQ(1u, installed.size());
    unsigned long long size = 0;
    EXPECT_EQ(Sha256OfFile(SharedPackage("ApiDemos-debug.apk"), &size), installed[0].sha256);
    ::DeleteFileW(ExtendedLengthPath(package).c_str());
    for (; dir.size() > root.Path().size(); dir.erase(dir.find_last_of(L'\\', dir.size() - 2) + 1)) {
        ::RemoveDirectoryW(ExtendedLengthPath(dir).c_str());
    }
}

TEST(PackageDrop, DropDuringTheSuccessCountdownStopsItAndASecondSuccessCountsFromFive)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    ReadyPhone(window.Phone());
    window.ClickAt(340, 138);
    ASSERT_TRUE(window.PumpUntil([&] { return TextMatches(*window.Capture(), {{Countdown(4), kSucceeded}}); }, 10000));
    window.Drop({OwnPackage("zh_label.apk")});
    EXPECT_TRUE(ShowsText(*window.Capture(), ExpectedTextFor(IDS_INSTALL_LOCATION), kReady));
    window.Pump(6000);
    EXPECT_TRUE(window.IsOpen());

    window.ClickAt(340, 138);
    EXPECT_TRUE(window.PumpUntil([&] { return TextMatches(*window.Capture(), {{Countdown(5), kSucceeded}}); }, 10000));
}

TEST(PackageDrop, DropWithThePanelOpenBelowTheWorkAreaMovesTheWindowBackUp)
{
    CMainWindowHarness window;
    window.ClickAt(30, 143);
    ASSERT_EQ(347, window.ClientSize().cy);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(window.Window(), MONITOR_DEFAULTTONEAREST), &info);
    const RECT before = window.WindowRect();
    // Dragged so far down that its lower part is off the work area.
    ::SetWindowPos(window.Window(), nullptr, before.left, info.rcWork.bottom - 250, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    window.Drop({SharedPackage("ApiDemos-debug.apk")});
    const RECT after = window.WindowRect();
    EXPECT_EQ(info.rcWork.bottom, after.bottom);
    EXPECT_EQ(347, after.bottom - after.top);
}
