#include "ChildProcess.h"

namespace {

struct CPipe {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    ~CPipe()
    {
        if (read) ::CloseHandle(read);
        if (write) ::CloseHandle(write);
    }
    bool Create()
    {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        return ::CreatePipe(&read, &write, &inherit, 0) && ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    }
    void CloseWrite()
    {
        ::CloseHandle(write);
        write = nullptr;
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

}  // namespace

ChildRun RunChild(const std::wstring& commandLine, const std::wstring& currentDir, DWORD timeoutMs)
{
    ChildRun run;
    CPipe out, err;
    if (!out.Create() || !err.Create()) return run;

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out.write;
    startup.hStdError = err.write;
    PROCESS_INFORMATION info{};
    std::wstring writable = commandLine;
    run.started = ::CreateProcessW(nullptr, &writable[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                   currentDir.empty() ? nullptr : currentDir.c_str(), &startup, &info) != FALSE;
    out.CloseWrite();
    err.CloseWrite();
    if (!run.started) return run;

    // The programs run here print one line, far less than a pipe holds.
    if (::WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) ::TerminateProcess(info.hProcess, 0xFFFFFFFF);
    ReadAvailable(out.read, run.out);
    ReadAvailable(err.read, run.err);
    ::GetExitCodeProcess(info.hProcess, &run.exitCode);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return run;
}
