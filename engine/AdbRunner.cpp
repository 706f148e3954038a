#include "AdbRunner.h"

#include "AdbOutput.h"
#include "ChildOutputPipe.h"
#include "ChildWait.h"
#include "InheritedHandleList.h"
#include "ProgramDir.h"
#include "ScopedHandle.h"

namespace {

constexpr DWORD kRetryExitCode = 0xFFFFFFFF;
constexpr DWORD kRetryPauseMs = 50;
constexpr DWORD kChildEndWaitMs = 1000;

enum class RunEnd { Finished, NeedsRetry, Failed };

std::wstring g_adbPath;  // written once, on the install worker thread

bool StartHidden(const std::wstring& commandLine, HANDLE output, PROCESS_INFORMATION& process)
{
    // The pipe's write end is the only handle the child may inherit.
    const CInheritedHandleList inherited(output);
    if (!inherited.Get()) return false;

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof(startup);
    startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.StartupInfo.wShowWindow = SW_HIDE;
    startup.StartupInfo.hStdInput = nullptr;
    startup.StartupInfo.hStdOutput = output;
    startup.StartupInfo.hStdError = output;
    startup.lpAttributeList = inherited.Get();
    std::wstring writable = commandLine;  // CreateProcessW may write into the buffer
    return ::CreateProcessW(nullptr, &writable[0], nullptr, nullptr, TRUE, EXTENDED_STARTUPINFO_PRESENT, nullptr,
                            nullptr, &startup.StartupInfo, &process) != FALSE;
}

DWORD Remaining(DWORD timeoutMs, ULONGLONG started)
{
    if (timeoutMs == INFINITE) return INFINITE;
    const ULONGLONG spent = ::GetTickCount64() - started;
    return spent >= timeoutMs ? 0 : DWORD(timeoutMs - spent);
}

// Waits for the child's end while keeping its pipe drained. False when the time ran
// out, the caller cancelled or the wait itself failed; the child is then ended.
bool WaitDraining(HANDLE process, CChildOutputPipe& pipe, std::string& raw, DWORD timeoutMs, HANDLE cancelEvent)
{
    const ULONGLONG started = ::GetTickCount64();
    for (;;) {
        HANDLE handles[3] = {process};
        DWORD count = 1;
        if (cancelEvent) handles[count++] = cancelEvent;
        const HANDLE readEvent = pipe.ReadEvent();  // none once the pipe has ended
        const DWORD readIndex = count;
        if (readEvent) handles[count++] = readEvent;

        const DWORD result = ::WaitForMultipleObjects(count, handles, FALSE, Remaining(timeoutMs, started));
        const ChildWaitOutcome outcome = ClassifyChildWait(result, readIndex, readEvent != nullptr);
        if (outcome == ChildWaitOutcome::ChildEnded) return true;
        if (outcome == ChildWaitOutcome::OutputReady) {
            pipe.TakeCompletedRead(raw);
            continue;
        }
        EndChildProcess(process);
        return false;
    }
}

void ConvertChunks(const std::string& raw, std::wstring& output)
{
    for (const std::string& chunk : CutAdbOutputChunks(raw)) {
        const int length = ::MultiByteToWideChar(CP_THREAD_ACP, 0, chunk.data(), int(chunk.size()), nullptr, 0);
        if (length <= 0) continue;
        std::wstring text(std::size_t(length), L'\0');
        ::MultiByteToWideChar(CP_THREAD_ACP, 0, chunk.data(), int(chunk.size()), &text[0], length);
        output += text;
    }
}

// Collects what the child printed also when it ended with the retry code, for a caller
// that wants to know what a failed run said.
RunEnd RunOnce(const std::wstring& commandLine, std::wstring& text, DWORD timeoutMs, HANDLE cancelEvent)
{
    CChildOutputPipe pipe;
    PROCESS_INFORMATION info{};
    const bool started = pipe.Create() && StartHidden(commandLine, pipe.WriteEnd(), info);
    pipe.CloseWriteEnd();  // only the child may hold the write end, or the pipe never ends
    if (!started) return RunEnd::Failed;

    CScopedKernelHandle process(info.hProcess);
    CScopedKernelHandle thread(info.hThread);
    std::string raw;
    pipe.BeginReading();
    if (!WaitDraining(process.Get(), pipe, raw, timeoutMs, cancelEvent)) return RunEnd::Failed;

    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.Get(), &exitCode);
    pipe.DrainBuffered(raw);
    ConvertChunks(raw, text);
    return exitCode == kRetryExitCode ? RunEnd::NeedsRetry : RunEnd::Finished;
}

}  // namespace

bool EndChildProcess(HANDLE process)
{
    ::TerminateProcess(process, kRetryExitCode);
    return ::WaitForSingleObject(process, kChildEndWaitMs) == WAIT_OBJECT_0;
}

std::wstring GetAdbPath()
{
    if (g_adbPath.empty()) g_adbPath = GetProgramDirPath(L"adb.exe");
    return g_adbPath;
}

bool RunAdbCommand(const std::wstring& commandLine, std::wstring& output, DWORD timeoutMs, HANDLE cancelEvent,
                   std::wstring* failedRunText)
{
    std::wstring text;
    RunEnd end = RunOnce(commandLine, text, timeoutMs, cancelEvent);
    const bool cancelled = cancelEvent && ::WaitForSingleObject(cancelEvent, 0) == WAIT_OBJECT_0;
    if (end == RunEnd::NeedsRetry && !cancelled) {
        ::Sleep(kRetryPauseMs);
        text.clear();
        end = RunOnce(commandLine, text, timeoutMs, cancelEvent);
    }
    if (end == RunEnd::Finished) {
        output += text;
        return true;
    }
    if (end == RunEnd::NeedsRetry && failedRunText) *failedRunText = text;
    return false;
}
