#include "ChildProcess.h"

#include "ScopedHandle.h"

namespace {

// A pipe whose write end alone is inherited.
struct CPipe {
    CScopedKernelHandle read;
    CScopedKernelHandle write;

    bool Create()
    {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE readEnd = nullptr;
        HANDLE writeEnd = nullptr;
        if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return false;
        read.Reset(readEnd);
        write.Reset(writeEnd);
        return ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0) != FALSE;
    }
};

// What the pipe holds now. A process that the child started may still hold the write end,
// so this never waits for the pipe's end.
void ReadAvailable(HANDLE pipe, std::string& bytes)
{
    char buffer[4096];
    DWORD available = 0;
    DWORD got = 0;
    while (::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
           ::ReadFile(pipe, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
}

bool StartWithStdHandles(const std::wstring& commandLine, const std::wstring& currentDir, HANDLE out, HANDLE err,
                         PROCESS_INFORMATION& info)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring writable = commandLine;
    return ::CreateProcessW(nullptr, &writable[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                            currentDir.empty() ? nullptr : currentDir.c_str(), &startup, &info) != FALSE;
}

}  // namespace

ChildRun RunChild(const std::wstring& commandLine, const std::wstring& currentDir, DWORD timeoutMs)
{
    ChildRun run;
    CPipe out, err;
    if (!out.Create() || !err.Create()) return run;

    PROCESS_INFORMATION info{};
    run.started = StartWithStdHandles(commandLine, currentDir, out.write.Get(), err.write.Get(), info);
    out.write.Reset();  // the child's copies are the only ones left
    err.write.Reset();
    if (!run.started) return run;
    const CScopedKernelHandle process(info.hProcess);
    const CScopedKernelHandle thread(info.hThread);

    // The programs run here print one line, far less than a pipe holds.
    if (::WaitForSingleObject(process.Get(), timeoutMs) != WAIT_OBJECT_0) ::TerminateProcess(process.Get(), 0xFFFFFFFF);
    ReadAvailable(out.read.Get(), run.out);
    ReadAvailable(err.read.Get(), run.err);
    ::GetExitCodeProcess(process.Get(), &run.exitCode);
    return run;
}

CapturedRun CaptureUntilEndOfOutput(const std::wstring& commandLine, DWORD limitMs)
{
    CapturedRun run;
    CPipe out;  // both streams, as a script's "2>&1" captures them
    if (!out.Create()) return run;
    PROCESS_INFORMATION info{};
    run.started = StartWithStdHandles(commandLine, std::wstring(), out.write.Get(), out.write.Get(), info);
    out.write.Reset();
    if (!run.started) return run;
    const CScopedKernelHandle process(info.hProcess);
    const CScopedKernelHandle thread(info.hThread);

    const ULONGLONG started = ::GetTickCount64();
    ULONGLONG exited = 0;
    while (::GetTickCount64() - started < limitMs) {
        if (exited == 0 && ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0) exited = ::GetTickCount64();
        DWORD available = 0;
        if (!::PeekNamedPipe(out.read.Get(), nullptr, 0, nullptr, &available, nullptr)) {
            run.endOfOutput = ::GetLastError() == ERROR_BROKEN_PIPE;
            break;
        }
        if (available > 0) {
            ReadAvailable(out.read.Get(), run.out);
        } else {
            ::Sleep(10);
        }
    }
    if (exited == 0 && ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0) exited = ::GetTickCount64();
    if (run.endOfOutput && exited != 0) run.msAfterExit = ::GetTickCount64() - exited;
    ::GetExitCodeProcess(process.Get(), &run.exitCode);
    return run;
}
