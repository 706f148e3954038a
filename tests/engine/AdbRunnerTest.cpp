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
}
