#include <gtest/gtest.h>

#include <windows.h>

#include "ChildProcess.h"
#include "ExpectedTexts.h"
#include "FakeAdbScenario.h"
#include "FakeCompanion.h"
#include "FakeHelmsway.h"
#include "ProgramDir.h"
#include "FileSha256.h"
#include "TempDirectory.h"
#include "TestData.h"
#include "Utf8Text.h"

namespace {

std::wstring SharedApk(const std::string& name)
{
    const std::string path = TestDataPath("apks/" + name);
    return std::wstring(path.begin(), path.end());
}

std::wstring ApiDemos() { return SharedApk("ApiDemos-debug.apk"); }

std::string Line(unsigned id) { return ToUtf8(ExpectedTextFor(id)) + "\r\n"; }

class ApkInstallToolTest : public ::testing::Test {
protected:
    ChildRun Apkinstall(const std::wstring& args, const std::wstring& currentDir = std::wstring(),
                        const std::wstring& program = GetProgramDirPath(L"apkinstall.exe"))
    {
        return RunChild(L"\"" + program + L"\" " + args, currentDir);
    }

    ChildRun Install(const std::wstring& package, bool toSd = false)
    {
        return Apkinstall((toSd ? L"--sd \"" : L"\"") + package + L"\"");
    }

    // apkinstall.exe alone in a folder of its own, with adb.exe beside it when given.
    std::wstring LonelyApkinstall(const CTempDirectory& dir, const std::wstring& adb = std::wstring())
    {
        const std::wstring lonely = dir.File(L"apkinstall.exe");
        EXPECT_TRUE(::CopyFileW(GetProgramDirPath(L"apkinstall.exe").c_str(), lonely.c_str(), FALSE));
        if (!adb.empty()) {
            EXPECT_TRUE(::CopyFileW(adb.c_str(), dir.File(L"adb.exe").c_str(), FALSE));
        }
        return lonely;
    }

    // The copy that adb was given is gone once apkinstall has ended, as the window
    // deletes it.
    void ExpectCopyDeleted()
    {
        const auto packages = m_adb.RecordedPackages();
        ASSERT_EQ(1u, packages.size());
        EXPECT_FALSE(FileExists(packages[0].path));
    }

    CFakeAdbScenario m_adb;
};

}  // namespace

TEST_F(ApkInstallToolTest, InstallsThePackage)
{
    m_adb.PlayCapture("ready_modern");
    const ChildRun run = Install(ApiDemos());
    ASSERT_TRUE(run.started);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(Line(535), run.out);
    EXPECT_TRUE(run.err.empty());
    const auto packages = m_adb.RecordedPackages();
    ASSERT_EQ(1u, packages.size());
    EXPECT_EQ(Sha256OfFile(ApiDemos()), packages[0].sha256);
    EXPECT_NE(std::wstring::npos, m_adb.RecordedCommands().back().find(L" install -r -f \""));
    ExpectCopyDeleted();
}

TEST_F(ApkInstallToolTest, ScriptCapturingTheOutputGetsItsEndWhenTheToolExits)
{
    // Under Wine the first window of a session starts the desktop's own process, which
    // keeps the standard error of the program that made the window. That must be this
    // test, not the tool, whose standard error is the script's pipe.
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    ::DestroyWindow(window);
    // adb starts a server that outlives the install, as the real one does.
    m_adb.PlayCapture("ready_modern");
    m_adb.Set(L"devices", L"server-ms", L"30000");
    const CapturedRun run =
        CaptureUntilEndOfOutput(L"\"" + GetProgramDirPath(L"apkinstall.exe") + L"\" \"" + ApiDemos() + L"\"", 15000);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(Line(535), run.out);
    EXPECT_FALSE(m_adb.ProcessesEnd(L"server", 0)) << "the server still runs";
    ASSERT_TRUE(run.endOfOutput) << "the server holds the script's pipe";
    EXPECT_LT(run.msAfterExit, 2000u);
}

TEST_F(ApkInstallToolTest, SdCardOnANewEnoughPhone)
{
    m_adb.PlayCapture("ready_legacy");
    const ChildRun run = Install(ApiDemos(), true);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_NE(std::wstring::npos, m_adb.RecordedCommands().back().find(L" install -r -s \""));
}

TEST_F(ApkInstallToolTest, FailedInstallPrintsTheWindowsMessage)
{
    m_adb.PlayCapture("install_exists_modern");
    const ChildRun run = Install(ApiDemos());
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ(Line(120), run.out);
    ExpectCopyDeleted();
}

TEST_F(ApkInstallToolTest, CurrentPhonesFailuresPrintTheirOwnTexts)
{
    const struct {
        const char* output;
        const wchar_t* exit;
        unsigned id;
    } cases[] = {
        {"adb: failed to install C:\\t\\1.apk: Failure [INSTALL_FAILED_USER_RESTRICTED: Install canceled by user]\n"
         "Performing Streamed Install\n", L"1", 550},
        {"Performing Push Install\nC:\\t\\1.apk: 1 file pushed, 0 skipped.\n\tpkg: /data/local/tmp/1.apk\r\n"
         "Failure [INSTALL_FAILED_VERSION_DOWNGRADE]\r\n", L"0", 552},
        {"adb: failed to install C:\\t\\1.apk: Failure [-113]\nPerforming Streamed Install\n", L"1", 553},
        {"adb: failed to install C:\\t\\1.apk: cmd: Can't find service: package\nPerforming Streamed Install\n", L"1",
         564},
    };
    for (const auto& c : cases) {
        CFakeAdbScenario adb;
        adb.PlayCapture("ready_modern");
        adb.SetOutputBytes(L"install_r_f", c.output);
        adb.Set(L"install_r_f", L"exit", c.exit);
        const ChildRun run = Install(ApiDemos());
        EXPECT_EQ(1u, run.exitCode) << c.id;
        EXPECT_EQ(Line(c.id), run.out) << c.id;
    }

    // The phone was unplugged before the install: adb ends with -1, and still says why.
    CFakeAdbScenario adb;
    adb.PlayCapture("ready_modern");
    adb.PlayCapture("not_found", "install_r_f");
    const ChildRun run = Install(ApiDemos());
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ(Line(565), run.out);
}

TEST_F(ApkInstallToolTest, VanishedPackageIsACopyFailure)
{
    CTempDirectory dir;
    m_adb.PlayCapture("ready_modern");
    const ChildRun run = Install(dir.File(L"gone.apk"));
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ(Line(133), run.out);
}

TEST_F(ApkInstallToolTest, NoUsablePhone)
{
    const struct {
        const char* situation;
        unsigned id;
    } cases[] = {
        {"empty", 587}, {"offline", 525}, {"bootloader", 527}, {"recovery", 528}, {"unauthorized", 530},
    };
    for (const auto& c : cases) {
        CFakeAdbScenario adb;
        adb.PlayCapture(c.situation);
        const ChildRun run = Install(ApiDemos());
        EXPECT_EQ(2u, run.exitCode) << c.situation;
        EXPECT_EQ(Line(c.id), run.out) << c.situation;
    }
}

TEST_F(ApkInstallToolTest, HandsOverToTheCompanionWithTheFullPath)
{
    const CFakeCompanion companion(CFakeCompanion::Window::Answers, 4);
    const CFakeHelmsway helmsway;
    CTempDirectory dir;
    m_adb.PlayCapture("empty");
    const ChildRun run = Apkinstall(L"\"安装 包.apk\"", dir.Path());
    EXPECT_EQ(3u, run.exitCode);
    EXPECT_EQ(Line(536), run.out);
    const auto launches = helmsway.WaitForLaunches(1);
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ(L"\"" + dir.File(L"安装 包.apk") + L"\"", CFakeHelmsway::Parameters(launches[0]));
}

TEST_F(ApkInstallToolTest, MissingAdbIsReported)
{
    CTempDirectory dir;
    const ChildRun run = Apkinstall(L"\"" + ApiDemos() + L"\"", std::wstring(), LonelyApkinstall(dir));
    EXPECT_EQ(2u, run.exitCode);
    EXPECT_EQ(Line(526), run.out);
    EXPECT_TRUE(m_adb.RecordedCommands().empty());
}

TEST_F(ApkInstallToolTest, HandOverThatStartsNothingIsNoPhone)
{
    // The manager runs from elsewhere, and no Helmsway.exe lies beside the program.
    const CFakeCompanion companion(CFakeCompanion::Window::Answers, 4);
    CTempDirectory dir;
    m_adb.PlayCapture("empty");
    const ChildRun run = Apkinstall(L"\"" + ApiDemos() + L"\"", std::wstring(), LonelyApkinstall(dir, GetProgramDirPath(L"adb.exe")));
    EXPECT_EQ(2u, run.exitCode);
    EXPECT_EQ(Line(587), run.out);
    EXPECT_EQ(1, companion.QueriesAnswered());
}

TEST_F(ApkInstallToolTest, AdbThatCannotStartIsReportedAndNothingHandedOver)
{
#ifdef APKI_TEST_ADB_EXE
    // Google's adb.exe without the DLLs it imports: it ends at once and prints nothing.
    std::string google = APKI_TEST_ADB_EXE;
    for (char& c : google) {
        if (c == '/') c = '\\';
    }
    const std::wstring adb(google.begin(), google.end());
#else
    m_adb.SetOutputBytes(L"devices", "");
    m_adb.Set(L"devices", L"exit", L"3221225781");  // STATUS_DLL_NOT_FOUND
    const std::wstring adb = GetProgramDirPath(L"adb.exe");
#endif
    const CFakeCompanion companion(CFakeCompanion::Window::Answers, 4);
    CTempDirectory dir;
    const ChildRun run = Apkinstall(L"\"" + ApiDemos() + L"\"", std::wstring(), LonelyApkinstall(dir, adb));
    EXPECT_EQ(2u, run.exitCode);
    EXPECT_EQ(Line(537), run.out);
    EXPECT_EQ(0, companion.QueriesAnswered());
}

TEST_F(ApkInstallToolTest, NameEndingInADotOrABlankInstallsThatVeryFile)
{
    // Beside game.apk lies another package whose name ends in a dot, or a blank.
    CTempDirectory dir;
    ASSERT_TRUE(::CopyFileW(ApiDemos().c_str(), dir.File(L"game.apk").c_str(), FALSE));
    const std::wstring other = SharedApk("settings_apk-debug.apk");
    for (const wchar_t* tail : {L".", L" ", L". ."}) {
        const std::wstring name = dir.File(L"game.apk") + tail;
        ASSERT_TRUE(::CopyFileW(other.c_str(), (L"\\\\?\\" + name).c_str(), FALSE)) << tail;
        CFakeAdbScenario adb;
        adb.PlayCapture("ready_modern");
        const ChildRun run = Install(name);
        EXPECT_EQ(0u, run.exitCode) << tail;
        const auto packages = adb.RecordedPackages();
        ASSERT_EQ(1u, packages.size()) << tail;
        EXPECT_EQ(Sha256OfFile(other), packages[0].sha256) << "installed game.apk for game.apk" << tail;
        ::DeleteFileW((L"\\\\?\\" + name).c_str());
    }
}

TEST_F(ApkInstallToolTest, UsageErrors)
{
    for (const wchar_t* args : {L"", L"--sd", L"a.apk b.apk", L"--force a.apk", L"a.apk --sd"}) {
        const ChildRun run = Apkinstall(args);
        EXPECT_EQ(64u, run.exitCode) << args;
        EXPECT_TRUE(run.out.empty()) << args;
        EXPECT_EQ("usage: apkinstall [--sd] [--serial SERIAL] [--open] PACKAGE | --check PACKAGE | --list\r\n", run.err)
            << args;
    }
    EXPECT_TRUE(m_adb.RecordedCommands().empty());

    const ChildRun help = Apkinstall(L"--help");
    EXPECT_EQ(0u, help.exitCode);
    EXPECT_EQ("usage: apkinstall [--sd] [--serial SERIAL] [--open] PACKAGE | --check PACKAGE | --list\r\n", help.out);
}
