#include <gtest/gtest.h>

#include <windows.h>

#include "AdbCommand.h"
#include "AdbRunner.h"
#include "FakeAdbScenario.h"
#include "ScopedHandle.h"

namespace {

class AdbRunnerTest : public ::testing::Test {
protected:
    bool Run(const wchar_t* commandTemplate, std::wstring& output, DWORD timeoutMs = INFINITE,
             HANDLE cancel = nullptr)
    {
        return RunAdbCommand(FormatAdbCommand(commandTemplate, {GetAdbPath(), L"SERIAL1", L"C:\\t\\1.apk"}), output,
                             timeoutMs, cancel);
    }

    std::wstring Pattern(std::size_t size)
    {
        std::wstring text(size, L'\0');
        for (std::size_t i = 0; i < size; ++i) text[i] = wchar_t(L'a' + i % 26);
        return text;
    }

    CFakeAdbScenario m_adb;
};

}  // namespace

TEST_F(AdbRunnerTest, AdbPathLiesBesideProgramInDirectoryWithBlank)
{
    const std::wstring path = GetAdbPath();
    EXPECT_NE(std::wstring::npos, path.find(L' ')) << "the test programs live in a directory with a blank";
    EXPECT_EQ(L"\\adb.exe", path.substr(path.size() - 8));
    EXPECT_EQ(path, GetAdbPath());

    std::wstring output;
    EXPECT_TRUE(Run(kAdbDevices, output));
    const auto commands = m_adb.RecordedCommands();
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(L"\"" + path + L"\" devices", commands[0]);
}

TEST_F(AdbRunnerTest, FifteenHundredBytes)
{
    m_adb.Set(L"devices", L"pattern-bytes", L"1500");
    std::wstring output;
    EXPECT_TRUE(Run(kAdbDevices, output));
    EXPECT_EQ(Pattern(1500), output);
}

TEST_F(AdbRunnerTest, ExactlyTwoChunks)
{
    m_adb.Set(L"devices", L"pattern-bytes", L"2048");
    std::wstring output;
    EXPECT_TRUE(Run(kAdbDevices, output));
    EXPECT_EQ(Pattern(2048), output);
}

TEST_F(AdbRunnerTest, NothingPrinted)
{
    std::wstring output;
    EXPECT_TRUE(Run(kAdbDevices, output));
    EXPECT_TRUE(output.empty());
}

TEST_F(AdbRunnerTest, NulDropsRestOfItsChunk)
{
    std::string bytes(1024, 'a');
    bytes[100] = '\0';
    bytes += "second chunk";
    m_adb.SetOutputBytes(L"devices", bytes);
    std::wstring output;
    EXPECT_TRUE(Run(kAdbDevices, output));
    EXPECT_EQ(std::wstring(100, L'a') + L"second chunk", output);
}

TEST_F(AdbRunnerTest, ErrorExitCodeStillReturnsText)
{
    m_adb.SetOutputBytes(L"install_r", "error: device 'SERIAL1' not found\r\n");
    m_adb.Set(L"install_r", L"exit", L"1");
    std::wstring output;
    EXPECT_TRUE(Run(kAdbInstall, output));
    EXPECT_EQ(L"error: device 'SERIAL1' not found\r\n", output);
}

TEST_F(AdbRunnerTest, ExitMinusOneTwiceFailsAfterOneRetry)
{
    m_adb.SetOutputBytes(L"devices", "List of devices attached\n");
    m_adb.Set(L"devices", L"exit", L"4294967295");
    std::wstring output;
    const ULONGLONG started = ::GetTickCount64();
    EXPECT_FALSE(Run(kAdbDevices, output, kAdbDevicesTimeoutMs));
    EXPECT_GE(::GetTickCount64() - started, 50u);
    EXPECT_TRUE(output.empty());
    EXPECT_EQ(2u, m_adb.RecordedCommands().size());
}

TEST_F(AdbRunnerTest, TextOfARunThatEndedWithMinusOneOnRequest)
{
    m_adb.Set(L"install_r", L"first-output-text", L"first run\\n");
    m_adb.Set(L"install_r", L"output-text", L"error: device offline\\n");
    m_adb.Set(L"install_r", L"exit", L"4294967295");
    std::wstring output;
    std::wstring failedRunText = L"unchanged";
    EXPECT_FALSE(RunAdbCommand(FormatAdbCommand(kAdbInstall, {GetAdbPath(), L"SERIAL1", L"C:\\t\\1.apk"}), output,
                               INFINITE, nullptr, &failedRunText));
    EXPECT_TRUE(output.empty());
    EXPECT_EQ(L"error: device offline\n", failedRunText) << "the retry's text";

    m_adb.Set(L"install_r", L"exit", L"1");
    failedRunText = L"unchanged";
    EXPECT_TRUE(RunAdbCommand(FormatAdbCommand(kAdbInstall, {GetAdbPath(), L"SERIAL1", L"C:\\t\\1.apk"}), output,
                              INFINITE, nullptr, &failedRunText));
    EXPECT_EQ(L"unchanged", failedRunText) << "only a failed run fills it";
}

TEST_F(AdbRunnerTest, ExitMinusOneOnceKeepsOnlyRetryText)
{
    m_adb.Set(L"getprop_sdk", L"first-exit", L"4294967295");
    m_adb.Set(L"getprop_sdk", L"first-output-text", L"first run\\n");
    m_adb.Set(L"getprop_sdk", L"output-text", L"28\\n");
    std::wstring output;
    EXPECT_TRUE(Run(kAdbGetSdk, output));
    EXPECT_EQ(L"28\n", output);
    EXPECT_EQ(2u, m_adb.RecordedCommands().size());
}

TEST_F(AdbRunnerTest, DevicesStillRunningAfterTenSecondsIsTerminated)
{
    m_adb.Set(L"devices", L"delay-ms", L"30000");
    m_adb.Set(L"devices", L"output-text", L"List of devices attached\\n");
    std::wstring output;
    const ULONGLONG started = ::GetTickCount64();
    EXPECT_FALSE(Run(kAdbDevices, output, kAdbDevicesTimeoutMs));
    const ULONGLONG spent = ::GetTickCount64() - started;
    EXPECT_GE(spent, 9900u);
    EXPECT_LT(spent, 20000u);
    EXPECT_TRUE(output.empty());
    EXPECT_EQ(1u, m_adb.RecordedCommands().size()) << "a time-out is not retried";
    EXPECT_TRUE(m_adb.ProcessesEnd(L"adb", 1000)) << "the child was ended";
}

TEST_F(AdbRunnerTest, FiftyMegabytesWithoutDeadlock)
{
    const std::size_t size = 50u * 1024 * 1024;
    m_adb.Set(L"install_r", L"pattern-bytes", std::to_wstring(size));
    std::wstring output;
    EXPECT_TRUE(Run(kAdbInstall, output));
    ASSERT_EQ(size, output.size());
    EXPECT_TRUE(output == Pattern(size)) << "every byte arrives in order";
}

TEST_F(AdbRunnerTest, MultibyteCharacterAcrossChunkBoundaryIsConvertedInTwoParts)
{
    std::string bytes(1023, 'a');
    bytes += "\xE4\xB8\xAD";
    m_adb.SetOutputBytes(L"devices", bytes);
    std::wstring output;
    EXPECT_TRUE(Run(kAdbDevices, output));

    auto convert = [](const std::string& part) {
        wchar_t buffer[2048];
        const int n = ::MultiByteToWideChar(CP_THREAD_ACP, 0, part.data(), int(part.size()), buffer, 2048);
        return std::wstring(buffer, std::size_t(n > 0 ? n : 0));
    };
    EXPECT_EQ(convert(bytes.substr(0, 1024)) + convert(bytes.substr(1024)), output);
}

TEST_F(AdbRunnerTest, MissingProgramFailsWithEmptyOutput)
{
    std::wstring output;
    EXPECT_FALSE(RunAdbCommand(L"\"C:\\no such dir\\adb.exe\" devices", output, kAdbDevicesTimeoutMs));
    EXPECT_TRUE(output.empty());
}

TEST_F(AdbRunnerTest, CancelEventEndsRunningChildAtOnce)
{
    m_adb.Set(L"install_r", L"delay-ms", L"30000");
    CScopedKernelHandle cancel(::CreateEventW(nullptr, TRUE, TRUE, nullptr));
    std::wstring output;
    const ULONGLONG started = ::GetTickCount64();
    EXPECT_FALSE(Run(kAdbInstall, output, INFINITE, cancel.Get()));
    EXPECT_LT(::GetTickCount64() - started, 5000u);
    EXPECT_TRUE(output.empty());
    EXPECT_TRUE(m_adb.ProcessesEnd(L"adb", 1000)) << "the child was ended";
}

TEST_F(AdbRunnerTest, ChildInheritsNoneOfTheCallersHandles)
{
    // A pipe such as a script's, whose write end this process holds inheritably.
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    const CScopedKernelHandle scriptRead(readEnd);
    CScopedKernelHandle scriptWrite(writeEnd);

    m_adb.Set(L"devices", L"server-ms", L"20000");
    std::wstring output;
    EXPECT_TRUE(Run(kAdbDevices, output, kAdbDevicesTimeoutMs));
    for (int i = 0; i < 250 && m_adb.RecordedProcesses().size() < 2; ++i) ::Sleep(20);
    ASSERT_EQ(2u, m_adb.RecordedProcesses().size()) << "adb started its server";

    // With this process's copy closed, nobody may hold the write end any more.
    scriptWrite.Reset();
    DWORD available = 0;
    EXPECT_FALSE(::PeekNamedPipe(scriptRead.Get(), nullptr, 0, nullptr, &available, nullptr));
    EXPECT_EQ(DWORD(ERROR_BROKEN_PIPE), ::GetLastError()) << "the server holds the script's pipe";
}

TEST_F(AdbRunnerTest, FailedWaitEndsTheRunAndTheChild)
{
    // The cancel event's handle is closed during the run, so that the wait after the
    // child has closed its output fails; the child itself lives on.
    m_adb.Set(L"install_r", L"delay-ms", L"500");
    m_adb.Set(L"install_r", L"close-output", L"1");
    m_adb.Set(L"install_r", L"after-ms", L"5000");
    const HANDLE cancel = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(nullptr, cancel);

    struct Call {
        std::wstring commandLine;
        HANDLE cancel;
        bool result = true;
        std::wstring output = L"unchanged";
    } call{FormatAdbCommand(kAdbInstall, {GetAdbPath(), L"SERIAL1", L"C:\\t\\1.apk"}), cancel};
    const CScopedKernelHandle runner(::CreateThread(
        nullptr, 0,
        [](void* argument) -> DWORD {
            Call& c = *static_cast<Call*>(argument);
            c.output.clear();
            c.result = RunAdbCommand(c.commandLine, c.output, INFINITE, c.cancel);
            return 0;
        },
        &call, 0, nullptr));
    ASSERT_TRUE(runner);
    for (int i = 0; i < 250 && m_adb.RecordedProcesses().empty(); ++i) ::Sleep(20);
    ::CloseHandle(cancel);

    const ULONGLONG started = ::GetTickCount64();
    const bool ended = ::WaitForSingleObject(runner.Get(), 10000) == WAIT_OBJECT_0;
    if (!ended) ::TerminateThread(runner.Get(), 0);  // spinning: nothing else would stop it
    ASSERT_TRUE(ended) << "the run spun on a failed wait";
    EXPECT_LT(::GetTickCount64() - started, 3000u) << "the run did not wait for the child's end";
    EXPECT_FALSE(call.result);
    EXPECT_TRUE(call.output.empty());
    EXPECT_TRUE(m_adb.ProcessesEnd(L"adb", 1000)) << "the child was ended";
}

namespace {

// Starts the stand-in, which pauses for delayMs, and hands back a handle that may wait for
// it but not terminate it: its end then takes as long as the pause.
struct CSlowToEnd {
    CScopedKernelHandle full;
    CScopedKernelHandle waitOnly;

    explicit CSlowToEnd(CFakeAdbScenario& adb, const wchar_t* delayMs)
    {
        adb.Set(L"other", L"delay-ms", delayMs);
        std::wstring commandLine = L"\"" + GetAdbPath() + L"\" version";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                              &startup, &info)) {
            return;
        }
        ::CloseHandle(info.hThread);
        full.Reset(info.hProcess);
        HANDLE handle = nullptr;
        ::DuplicateHandle(::GetCurrentProcess(), full.Get(), ::GetCurrentProcess(), &handle, SYNCHRONIZE, FALSE, 0);
        waitOnly.Reset(handle);
    }
    ~CSlowToEnd()
    {
        if (full) ::TerminateProcess(full.Get(), 1);
    }
};

}  // namespace

TEST_F(AdbRunnerTest, EndedChildIsGoneBeforeTheCallReturns)
{
    const CSlowToEnd child(m_adb, L"400");
    ASSERT_TRUE(child.waitOnly);
    EXPECT_FALSE(::TerminateProcess(child.waitOnly.Get(), 1)) << "the handle may not terminate";
    EXPECT_TRUE(EndChildProcess(child.waitOnly.Get()));
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(child.full.Get(), 0));
}

TEST_F(AdbRunnerTest, WaitForAnEndedChildIsBounded)
{
    const CSlowToEnd child(m_adb, L"30000");
    ASSERT_TRUE(child.waitOnly);
    const ULONGLONG started = ::GetTickCount64();
    EXPECT_FALSE(EndChildProcess(child.waitOnly.Get()));
    const ULONGLONG spent = ::GetTickCount64() - started;
    EXPECT_GE(spent, 900u);
    EXPECT_LT(spent, 2000u);
}
