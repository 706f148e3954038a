// Install clicked, the worker's three messages, the close countdown and the install
// location, against the emulated phone beside the test program.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include "ExpectedTexts.h"
#include "FakeCompanion.h"
#include "FakeHelmsway.h"
#include "InstallMessages.h"
#include "InstallProgress.h"
#include "MainWindowHarness.h"
#include "ReferenceText.h"
#include "ResourceCount.h"
#include "WindowPainting.h"
#include "WindowStyle.h"
#include "WindowLooks.h"
#include "WindowZones.h"
#include "resource.h"

namespace {

TextLook Status(int state)
{
    switch (state) {
    case 1: return TextLook{BoxRect{240, 64, 145, 40}, kStatusGrey};
    case 2: return TextLook{BoxRect{218, 72, 161, 20}, kStatusGreen};
    case 3: return TextLook{BoxRect{240, 64, 145, 40}, kStatusRed};
    default: return TextLook{BoxRect{240, 64, 70, 40}, kStatusGrey};
    }
}

TextLook Note(int state)
{
    TextLook look{BoxRect{225, 97, 165, 20}, kNoteGrey, TextLayout::TopLeft, 8.0f, Gdiplus::UnitPoint};
    if (state == 2) look = TextLook{BoxRect{200, 97, 175, 20}, kStatusGreen, TextLayout::TopLeft, 8.0f, Gdiplus::UnitPoint};
    if (state == 3) look = TextLook{BoxRect{214, 97, 170, 15}, kStatusGrey, TextLayout::TopLeft, 8.0f, Gdiplus::UnitPoint};
    return look;
}

std::wstring Countdown(int seconds)
{
    std::wstring text = ExpectedTextFor(IDS_INSTALL_SUCCEEDED_FMT);
    return text.replace(text.find(L"%d"), 2, std::to_wstring(seconds));
}

void ReadyPhone(CFakeAdbScenario& phone, const wchar_t* installOutput = L"Success\\r\\n")
{
    phone.SetDevices({{L"HT123ABC", L"device"}});
    phone.Set(L"getprop_sdk", L"output-text", L"17\\r\\n");
    phone.Set(L"getInstallLocation", L"output-text", L"0[auto]\\r\\n");
    for (const wchar_t* kind : {L"install_r", L"install_r_s", L"install_r_f"}) {
        phone.Set(kind, L"output-text", installOutput);
    }
}

void ClickInstall(CMainWindowHarness& window) { window.ClickAt(340, 138); }

// Until the status line shows the text in the state's look.
// Until the status line shows the text in the state's look, with the note line as given.
::testing::AssertionResult WaitForLines(CMainWindowHarness& window, const std::wstring& status,
                                        const std::wstring& note, int state, DWORD timeoutMs = 10000)
{
    const std::vector<ShownText> lines = {{status, Status(state)}, {note, Note(state)}};
    if (window.PumpUntil([&] { return TextMatches(*window.Capture(), lines); }, timeoutMs)) {
        return ::testing::AssertionSuccess();
    }
    return ShowsText(*window.Capture(), lines);
}

::testing::AssertionResult WaitForStatus(CMainWindowHarness& window, const std::wstring& text, int state,
                                         DWORD timeoutMs = 10000)
{
    return WaitForLines(window, text, std::wstring(), state, timeoutMs);
}

// A failure's text in red: on the status line's two lines, or whole in the room above
// them when it does not fit there.
const TextLook kLongFailure{BoxRect{218, 28, 163, 68}, kStatusRed};

bool FailureMatches(const CPixelCanvas& shown, const std::wstring& text)
{
    return TextMatches(shown, {{text, Status(3)}}) || TextMatches(shown, {{text, kLongFailure}});
}

::testing::AssertionResult WaitForFailure(CMainWindowHarness& window, const std::wstring& text)
{
    if (window.PumpUntil([&] { return FailureMatches(*window.Capture(), text); }, 10000)) {
        return ::testing::AssertionSuccess();
    }
    return ShowsText(*window.Capture(), text, Status(3));
}

int RunningAdbProcesses()
{
    int count = 0;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        count += _wcsicmp(entry.szExeFile, L"adb.exe") == 0;
    }
    ::CloseHandle(snapshot);
    return count;
}

bool HasCommandEndingWith(const std::vector<std::wstring>& commands, const std::wstring& tail)
{
    for (const std::wstring& command : commands) {
        if (command.size() >= tail.size() && command.compare(command.size() - tail.size(), tail.size(), tail) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(InstallFlow, SuccessCountsDownFromFiveAndClosesTheWindow)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    ReadyPhone(window.Phone());
    ClickInstall(window);
    ASSERT_TRUE(WaitForStatus(window, Countdown(5), 2));
    const ULONGLONG outcome = ::GetTickCount64();
    const auto shown = window.Capture();
    SaveRender(*shown, L"state-succeeded.png");
    EXPECT_EQ(0, PushButtonFrameAt(*shown, kCompanionRect));  // the companion button, no label
    EXPECT_FALSE(SelectorShown(*shown));
    EXPECT_TRUE(ShowsText(*shown, L"", Note(2)));  // the note stays as it was: empty

    for (int seconds = 4; seconds >= 1; --seconds) {
        EXPECT_TRUE(WaitForStatus(window, Countdown(seconds), 2, 1600)) << seconds;
    }
    ASSERT_TRUE(window.PumpUntil([&] { return !window.IsOpen(); }, 2000));
    const ULONGLONG closedAfter = ::GetTickCount64() - outcome;
    EXPECT_GE(closedAfter, 4500u);
    EXPECT_LE(closedAfter, 6500u);
    EXPECT_TRUE(window.QuitPosted());
    EXPECT_EQ(0, window.QuitCode());

    // The temporary copy was sent and then deleted.
    const auto packages = window.Phone().RecordedPackages();
    ASSERT_EQ(1u, packages.size());
    EXPECT_TRUE(packages[0].exists);
    EXPECT_FALSE(FileExists(packages[0].path));
}

TEST(InstallFlow, FailureShowsItsMessageTheHintAndTheCompanionButton)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    ReadyPhone(window.Phone(), L"Failure [INSTALL_FAILED_ALREADY_EXISTS]\\r\\n");
    CFakeHelmsway helmsway;
    ClickInstall(window);
    ASSERT_TRUE(WaitForLines(window, ExpectedTextFor(IDS_ERR_ALREADY_EXISTS), ExpectedTextFor(IDS_TRY_COMPANION), 3));
    const auto shown = window.Capture();
    SaveRender(*shown, L"state-failed.png");
    EXPECT_EQ(0, PushButtonFrameAt(*shown, kCompanionRect));
    EXPECT_FALSE(SelectorShown(*shown));

    // Hovering and pressing change the companion button's frame as for Install.
    window.MoveTo(280, 140);
    EXPECT_EQ(1, PushButtonFrameAt(*window.Capture(), kCompanionRect));
    window.Press();
    EXPECT_EQ(2, PushButtonFrameAt(*window.Capture(), kCompanionRect));
    window.Release();
    const auto launches = helmsway.WaitForLaunches(1);
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ(L"-apkinstaller", CFakeHelmsway::Parameters(launches[0]));
    window.Pump(1000);
    EXPECT_TRUE(window.IsOpen());  // a failure does not count down
}

TEST(InstallFlow, NoPhoneThenAPhoneAppearsAndASecondClickInstalls)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    window.Phone().SetDevices({});
    ClickInstall(window);
    ASSERT_TRUE(WaitForFailure(window, ExpectedTextFor(IDS_NO_PHONE_STEPS)));
    SaveRender(*window.Capture(), L"state-no-phone.png");
    EXPECT_EQ(1, PushButtonFrameAt(*window.Capture(), kInstallRect));  // Install again, enabled, under the pointer

    ReadyPhone(window.Phone());
    ClickInstall(window);
    EXPECT_TRUE(WaitForStatus(window, Countdown(5), 2));
    EXPECT_EQ(1u, window.Phone().RecordedPackages().size());
}

TEST(InstallFlow, EveryNoDeviceCodeShowsItsOwnTextInRed)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    const struct {
        WPARAM code;
        unsigned text;
    } cases[] = {{0, IDS_NO_PHONE_STEPS},         {2, IDS_DEVICE_OFFLINE},      {4, IDS_DEVICE_BOOTING},
                 {5, IDS_DEVICE_RECOVERY},    {6, IDS_ADB_MISSING},         {7, IDS_DEVICE_UNAUTHORIZED},
                 {8, IDS_DEVICE_AUTHORIZING}, {9, IDS_DEVICE_CONNECTING},   {10, IDS_DEVICE_NO_PERMISSIONS},
                 {11, IDS_DEVICE_UNKNOWN_STATE}, {12, IDS_ADB_CANNOT_RUN}, {3, IDS_DEVICE_UNKNOWN_STATE}};
    for (const auto& c : cases) {
        ::PostMessageW(window.Window(), WM_INSTALL_NO_DEVICE, c.code, 0);
        window.Pump(50);
        const auto shown = window.Capture();
        EXPECT_TRUE(FailureMatches(*shown, ExpectedTextFor(c.text)) || ShowsText(*shown, ExpectedTextFor(c.text), Status(3)))
            << c.code;
        EXPECT_EQ(0, PushButtonFrameAt(*shown, kInstallRect)) << c.code;
    }
}

TEST(InstallFlow, UnauthorizedPhoneTellsTheUserWhatToDo)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    window.Phone().SetDevices({{L"HT123ABC", L"unauthorized"}});
    ClickInstall(window);
    EXPECT_TRUE(WaitForFailure(window, ExpectedTextFor(IDS_DEVICE_UNAUTHORIZED)));
}

TEST(InstallFlow, InstallingShowsItsTextTheDisabledButtonAndTheTurningIndicator)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    ReadyPhone(window.Phone());
    window.Phone().Set(L"install_r_f", L"delay-ms", L"3000");
    ClickInstall(window);
    ASSERT_TRUE(WaitForStatus(window, ExpectedTextFor(IDS_INSTALLING), 1));
    const auto first = window.Capture();
    SaveRender(*first, L"state-installing.png");
    EXPECT_EQ(3, PushButtonFrameAt(*first, kInstallRect));
    EXPECT_FALSE(SelectorShown(*first));
    // The busy indicator turns at (220, 75)-(236, 91).
    const BoxRect busy{220, 75, 16, 16};
    EXPECT_GT(16 * 16 - CountColour(*first, busy, kBackground), 20);
    bool turned = false;
    window.PumpUntil([&] { return turned = CountDifferent(*first, *window.Capture(), busy) > 0; }, 1000);
    EXPECT_TRUE(turned);

    // A drop that comes anyway while the job runs changes nothing.
    window.Drop({OwnPackage("zh_label.apk")});
    EXPECT_TRUE(ShowsText(*window.Capture(), ExpectedTextFor(IDS_INSTALLING), Status(1)));
    // A press on the disabled button records nothing.
    window.ClickAt(340, 138);
    EXPECT_TRUE(WaitForStatus(window, Countdown(5), 2));
    EXPECT_EQ(1u, window.Phone().RecordedPackages().size());
    const auto outcome = window.Capture();
    window.Pump(300);
    EXPECT_EQ(0, CountDifferent(*outcome, *window.Capture(), busy));  // no longer turning
}

TEST(InstallFlow, ABundlesStepsShowWhileItInstallsAndNeverOverTheOutcome)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    ReadyPhone(window.Phone());
    window.Phone().Set(L"install_r_f", L"delay-ms", L"2000");
    ClickInstall(window);
    ASSERT_TRUE(WaitForStatus(window, ExpectedTextFor(IDS_INSTALLING), 1));
    ::PostMessageW(window.Window(), WM_INSTALL_PROGRESS, kProgressInstalling, 3);
    std::wstring installing = ExpectedTextFor(IDS_BUNDLE_INSTALLING_FMT);
    installing.replace(installing.find(L"%d"), 2, L"3");
    EXPECT_TRUE(WaitForStatus(window, installing, 1, 1000));
    ::PostMessageW(window.Window(), WM_INSTALL_PROGRESS, kProgressCopyingData, CopyingDataDetail(2, 3));
    EXPECT_TRUE(WaitForStatus(window, FormatProgress(ExpectedTextFor(IDS_BUNDLE_COPYING_DATA_FMT), kProgressCopyingData,
                                                     CopyingDataDetail(2, 3)),
                              1, 1000));
    ASSERT_TRUE(WaitForStatus(window, Countdown(5), 2));
    ::PostMessageW(window.Window(), WM_INSTALL_PROGRESS, kProgressInstalling, 3);
    window.Pump(100);
    const auto shown = window.Capture();
    // The countdown may have ticked meanwhile; a step's text is never shown again.
    EXPECT_TRUE(TextMatches(*shown, {{Countdown(5), Status(2)}}) || TextMatches(*shown, {{Countdown(4), Status(2)}}));
}

TEST(InstallFlow, HandOverShowsItsTextForASecondWithTheIndicatorThenCountsDown)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    window.Phone().SetDevices({});
    CFakeHelmsway helmsway;
    CFakeCompanion companion(CFakeCompanion::Window::Answers, 4);
    ClickInstall(window);
    ASSERT_TRUE(WaitForStatus(window, ExpectedTextFor(IDS_HANDED_OVER), 1));
    const BoxRect busy{220, 75, 16, 16};
    const auto first = window.Capture();
    bool turned = false;
    window.PumpUntil([&] { return turned = CountDifferent(*first, *window.Capture(), busy) > 0; }, 800);
    EXPECT_TRUE(turned);
    EXPECT_TRUE(WaitForStatus(window, Countdown(4), 1, 1500));
    EXPECT_EQ(1u, helmsway.WaitForLaunches(1).size());
    EXPECT_TRUE(window.PumpUntil([&] { return !window.IsOpen(); }, 6000));
    EXPECT_EQ(0, window.QuitCode());
}

TEST(InstallFlow, LocationIsStoredOnlyWhenAnInstallStarts)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    ReadyPhone(window.Phone());
    window.ClickAt(340, 80);  // the selector
    const auto shown = window.Capture();
    SaveRender(*shown, L"state-sd-chosen.png");
    EXPECT_TRUE(ShowsText(*shown, ExpectedTextFor(IDS_SD_NOTE), Note(0)));
    EXPECT_EQ("", window.SettingsText());

    ClickInstall(window);
    // The SD note stays, in green.
    ASSERT_TRUE(WaitForLines(window, Countdown(5), ExpectedTextFor(IDS_SD_NOTE), 2));
    EXPECT_NE(std::string::npos, window.SettingsText().find("InstallPosition=1"));
    EXPECT_TRUE(HasCommandEndingWith(window.Phone().RecordedCommands(), L"install -r -s \"" +
                                                                           window.Phone().RecordedPackages()[0].path +
                                                                           L"\""));
}

TEST(InstallFlow, LocationToggledTwiceReadsPhoneAgainAndClosingKeepsTheOldSetting)
{
    CMainWindowHarness window(std::wstring(), "[VersionSection]\r\nInstallPosition=1\r\n");
    const auto card = window.Capture();
    EXPECT_TRUE(ShowsText(*card, ExpectedTextFor(IDS_SD_NOTE), Note(0)));
    window.ClickAt(340, 80);
    window.MoveTo(200, 60);  // away, so that no hover look is compared
    const auto phone = window.Capture();
    EXPECT_TRUE(ShowsText(*phone, L"", Note(0)));
    EXPECT_GT(CountDifferent(*card, *phone, kLocationRect), 0);
    window.ClickAt(340, 80);
    window.MoveTo(200, 60);
    EXPECT_EQ(0, CountDifferent(*card, *window.Capture(), kLocationRect));
    window.ClickAt(340, 80);
    window.MoveTo(200, 60);
    EXPECT_EQ(0, CountDifferent(*phone, *window.Capture(), kLocationRect));
    ::SendMessageW(window.Window(), WM_CLOSE, 0, 0);
    EXPECT_NE(std::string::npos, window.SettingsText().find("InstallPosition=1"));
}

TEST(InstallFlow, StoredValueTwoHasNoNoteAndInstallsToThePhoneMemory)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"), "[VersionSection]\r\nInstallPosition=2\r\n");
    ReadyPhone(window.Phone());
    EXPECT_TRUE(ShowsText(*window.Capture(), L"", Note(0)));
    ClickInstall(window);
    ASSERT_TRUE(WaitForStatus(window, Countdown(5), 2));
    const auto commands = window.Phone().RecordedCommands();
    EXPECT_TRUE(HasCommandEndingWith(commands, L"shell pm getInstallLocation"));
    EXPECT_TRUE(HasCommandEndingWith(commands, L"install -r -f \"" + window.Phone().RecordedPackages()[0].path + L"\""));
}

TEST(InstallFlow, SelectorClicksOutsideTheReadyStateDoNothing)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    window.Phone().SetDevices({});
    ClickInstall(window);
    ASSERT_TRUE(WaitForFailure(window, ExpectedTextFor(IDS_NO_PHONE_STEPS)));
    window.ClickAt(340, 80);
    ReadyPhone(window.Phone());
    ClickInstall(window);
    ASSERT_TRUE(WaitForStatus(window, Countdown(5), 2));
    EXPECT_NE(std::string::npos, window.SettingsText().find("InstallPosition=0"));
}

TEST(InstallFlow, ClosingDuringALongInstallQuitsWithinFiveAndAHalfSecondsAndEndsAdb)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    ReadyPhone(window.Phone());
    window.Phone().Set(L"install_r_f", L"delay-ms", L"30000");
    ClickInstall(window);
    ASSERT_TRUE(window.PumpUntil([&] { return window.Phone().RecordedPackages().size() == 1; }, 10000));
    const ULONGLONG start = ::GetTickCount64();
    const BoxRect close = CloseButtonRect(386);
    window.ClickAt(close.x + 10, close.y + 10);
    ASSERT_TRUE(window.PumpUntil([&] { return !window.IsOpen(); }, 8000));
    EXPECT_LE(::GetTickCount64() - start, 5500u + ::GetDoubleClickTime() + 200);
    EXPECT_EQ(0, window.QuitCode());
    EXPECT_TRUE(window.PumpUntil([] { return RunningAdbProcesses() == 0; }, 2000));
}

TEST(InstallFlow, ClosingDuringAShortInstallLeavesNoCopyInTheTemporaryFolder)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    ReadyPhone(window.Phone());
    window.Phone().Set(L"install_r_f", L"delay-ms", L"1500");
    ClickInstall(window);
    ASSERT_TRUE(window.PumpUntil([&] { return window.Phone().RecordedPackages().size() == 1; }, 10000));
    const BoxRect close = CloseButtonRect(386);
    window.ClickAt(close.x + 10, close.y + 10);  // the install ends within the 5 s that closing waits
    ASSERT_TRUE(window.PumpUntil([&] { return !window.IsOpen(); }, 8000));
    EXPECT_FALSE(FileExists(window.Phone().RecordedPackages()[0].path));
}

TEST(InstallFlow, AdbThatCannotStartHasItsOwnTextAndHandsNothingOver)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    // What adb.exe does without its DLL: it ends at once, printing nothing.
    window.Phone().SetOutputBytes(L"devices", "");
    window.Phone().Set(L"devices", L"exit", L"3221225781");  // STATUS_DLL_NOT_FOUND
    CFakeHelmsway helmsway;
    CFakeCompanion companion(CFakeCompanion::Window::Answers, 4);
    ClickInstall(window);
    EXPECT_TRUE(WaitForFailure(window, ExpectedTextFor(IDS_ADB_CANNOT_RUN)));
    window.Pump(1000);
    EXPECT_TRUE(window.IsOpen()) << "no countdown";
    EXPECT_EQ(0, companion.QueriesAnswered());
    EXPECT_TRUE(helmsway.Launches().empty());
}

TEST(InstallFlow, HundredInstallJobsLeaveNoHandlesOrGdiObjectsBehind)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    window.Phone().SetDevices({});
    int jobs = 0;
    const auto job = [&] {
        // Another text first, so that the end of this job is seen; clicks alternate between
        // two places so that no two read as a double click.
        ::PostMessageW(window.Window(), WM_INSTALL_NO_DEVICE, 2, 0);
        window.MoveTo(325 + 20 * (++jobs % 2), 138);
        window.Press();
        window.Release();
        return window.PumpUntil(
            [&] { return FailureMatches(*window.Capture(), ExpectedTextFor(IDS_NO_PHONE_STEPS)); }, 5000);
    };
    // Whatever the first jobs make once (the error table, COM on the worker) is not growth.
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(job());
    // The phone watcher's look holds an adb process and its pipe for a while every two
    // seconds: the fewest handles over three of its rounds are the window's own.
    constexpr DWORD kQuietMs = 6500;
    const ResourceCount before = window.QuietResources(kQuietMs);
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(job()) << i;
    const ResourceCount after = window.QuietResources(kQuietMs);
    std::printf("after 100 install jobs: kernel handles %d -> %d, GDI objects %d -> %d\n", before.kernelHandles,
                after.kernelHandles, before.gdiObjects, after.gdiObjects);
    EXPECT_GT(before.kernelHandles, 0);
    EXPECT_GT(before.gdiObjects, 0);
    // A handle that the system or the watcher makes once in a hundred jobs is no growth; one
    // that every job leaves behind is a hundred.
    EXPECT_LE(after.kernelHandles, before.kernelHandles + 2);
    EXPECT_LE(after.gdiObjects, before.gdiObjects);
    // One devices command a job, besides the phone watcher's own looks.
    std::size_t jobCommands = 0;
    for (const std::wstring& command : window.Phone().RecordedCommands()) {
        if (command.find(L"devices -l") == std::wstring::npos) ++jobCommands;
    }
    EXPECT_EQ(105u, jobCommands);
}

TEST(InstallFlow, EveryFailureTextFitsTheFailedStateWhole)
{
    std::vector<unsigned> ids;
    for (unsigned id = 102; id <= 138; ++id) {
        if (id != IDS_INSTALL_LOCATION && id != 137) ids.push_back(id);
    }
    for (unsigned id = IDS_ERR_USER_RESTRICTED; id <= IDS_ERR_PHONE_GONE; ++id) ids.push_back(id);
    for (unsigned id = IDS_BUNDLE_OLD_ANDROID; id <= IDS_BUNDLE_DATA_FAILED; ++id) ids.push_back(id);
    for (unsigned id : {IDS_NO_PHONE_STEPS, IDS_DEVICE_OFFLINE, IDS_ADB_MISSING, IDS_DEVICE_BOOTING, IDS_DEVICE_RECOVERY,
                        IDS_DEVICE_UNAUTHORIZED, IDS_DEVICE_AUTHORIZING, IDS_DEVICE_CONNECTING,
                        IDS_DEVICE_NO_PERMISSIONS, IDS_DEVICE_UNKNOWN_STATE, IDS_ADB_CANNOT_RUN}) {
        ids.push_back(id);
    }
    CPixelCanvas canvas(386, 160, kBackground);
    canvas.DrawWithGdiPlus([&](CGdipGraphics& graphics) {
        SetWindowPaintQuality(graphics);
        for (unsigned id : ids) {
            const std::wstring text = ExpectedTextFor(id);
            ASSERT_FALSE(text.empty()) << id;
            EXPECT_TRUE(FitsInto(graphics, text, LongFailureStyle().rect)) << id;
        }
    });
}

TEST(InstallFlow, LongFailureTextMovesUpIntoTheRoomOfTheHiddenSelector)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    ReadyPhone(window.Phone(), L"adb: failed to install x.apk: Failure [INSTALL_FAILED_USER_RESTRICTED: Install canceled by user]\\r\\n");
    ClickInstall(window);
    const std::vector<ShownText> lines = {{ExpectedTextFor(IDS_ERR_USER_RESTRICTED), kLongFailure},
                                          {ExpectedTextFor(IDS_TRY_COMPANION), Note(3)}};
    window.PumpUntil([&] { return TextMatches(*window.Capture(), lines); }, 10000);
    const auto shown = window.Capture();
    SaveRender(*shown, L"state-failed-long-text.png");
    EXPECT_TRUE(ShowsText(*shown, lines));
}
