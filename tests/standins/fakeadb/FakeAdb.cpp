// A stand-in for adb.exe in the Windows tests: an emulated phone (or several) that plays
// a scenario and records how it was started.
//
// The attached phones, their states and adb's notes before the list are simply the output
// of `devices` (CFakeAdbScenario::SetDevices writes one from a list of phones); each phone
// answers through its own "<kind>@<serial>" sections.
//
// The scenario is "adb.scenario" in the directory named by FAKEADB_DIR (else beside this
// program), an initialisation file with one section per kind of command:
//   devices, devices_l, getprop_sdk, getInstallLocation, install_r, install_r_s, install_r_f, other
// A section "<kind>@<serial>" applies to one phone and is read before "<kind>"; a section
// "install" answers the three install kinds where their own sections are silent, and
// "devices" answers `devices -l` (devices_l) where its own is silent.
// Keys (each also as "first-<key>", which wins on the first run of that kind):
//   output-file    file whose exact bytes are printed (absolute, or relative to the scenario)
//   output-text    text printed as is, with \r \n \t \0 \\ and \xHH escapes
//   pattern-bytes  that many bytes of 'a'..'z' repeated, after the other output
//   delay-ms       pause before anything is printed
//   close-output   1: close standard output and error after printing
//   after-ms       pause after printing (and closing), before the exit
//   server-ms      start a process that lives this long, with handle inheritance on, the
//                  way adb starts its server; it inherits whatever this process may pass on
//   exit           exit code (decimal; 4294967295 for 0xFFFFFFFF)
// Every command line is appended, as UTF-8, to "adb.record" in the same directory.
// Every process, the started server too, appends its id, a tab, its start time (as a
// 64-bit FILETIME count), a tab and "adb" or "server" to "adb.pids", so that a test can
// tell whether it is still running.
// Every install also appends one line to "adb.packages" about the file it named, read
// when the command starts (before any delay): its size, a tab, the SHA-256 of its bytes in
// lower-case hex, a tab and the path, or "missing", a tab, "-", a tab and the path.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "FakeAdbCommand.h"
#include "FileSha256.h"
#include "StandinRecord.h"

namespace {

class CScenario {
public:
    CScenario(std::wstring dir, const FakeAdbCommand& command) : m_dir(std::move(dir)), m_file(m_dir + L"adb.scenario")
    {
        if (!command.serial.empty()) m_sections.push_back(command.kind + L"@" + command.serial);
        m_sections.push_back(command.kind);
        if (command.kind.rfind(L"install", 0) == 0) m_sections.push_back(L"install");
        if (command.kind == L"devices_l") m_sections.push_back(L"devices");
        m_firstRun = CountRun(command.kind) == 1;
    }

    std::wstring Get(const std::wstring& key) const
    {
        for (const std::wstring& section : m_sections) {
            if (m_firstRun && Has(section, L"first-" + key)) return Read(section, L"first-" + key);
            if (Has(section, key)) return Read(section, key);
        }
        return std::wstring();
    }

    const std::wstring& Dir() const { return m_dir; }

private:
    bool Has(const std::wstring& section, const std::wstring& key) const
    {
        wchar_t probe[8];
        return ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"\x01", probe, 8, m_file.c_str()) != 1 ||
               probe[0] != L'\x01';
    }

    std::wstring Read(const std::wstring& section, const std::wstring& key) const
    {
        std::vector<wchar_t> value(32768);
        const DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value.data(),
                                                   DWORD(value.size()), m_file.c_str());
        return std::wstring(value.data(), n);
    }

    // Counts the runs of one kind across processes, in "adb.state".
    int CountRun(const std::wstring& kind) const
    {
        const std::wstring state = m_dir + L"adb.state";
        const int runs = int(::GetPrivateProfileIntW(L"runs", kind.c_str(), 0, state.c_str())) + 1;
        ::WritePrivateProfileStringW(L"runs", kind.c_str(), std::to_wstring(runs).c_str(), state.c_str());
        return runs;
    }

    std::wstring m_dir;
    std::wstring m_file;
    std::vector<std::wstring> m_sections;
    bool m_firstRun = false;
};

void WriteAll(HANDLE out, const char* data, std::size_t size)
{
    while (size > 0) {
        DWORD written = 0;
        const DWORD chunk = DWORD(size < 65536 ? size : 65536);
        if (!::WriteFile(out, data, chunk, &written, nullptr) || written == 0) return;
        data += written;
        size -= written;
    }
}

std::string ReadWholeFile(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    ::CloseHandle(file);
    return bytes;
}

void PrintOutput(const CScenario& scenario)
{
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    std::wstring file = scenario.Get(L"output-file");
    if (!file.empty()) {
        if (file.size() < 2 || file[1] != L':') file = scenario.Dir() + file;
        const std::string bytes = ReadWholeFile(file);
        WriteAll(out, bytes.data(), bytes.size());
    }
    const std::string text = UnescapeFakeAdbText(scenario.Get(L"output-text"));
    WriteAll(out, text.data(), text.size());

    const unsigned long long patternBytes = std::wcstoull(scenario.Get(L"pattern-bytes").c_str(), nullptr, 10);
    std::string block(65536, '\0');
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = char('a' + i % 26);
    for (unsigned long long done = 0; done < patternBytes;) {
        // Each block starts where the pattern left off, so the whole output is one pattern.
        const std::size_t offset = std::size_t(done % 26);
        const std::size_t size = std::size_t(std::min<unsigned long long>(block.size() - 26, patternBytes - done));
        WriteAll(out, block.data() + offset, size);
        done += size;
    }
}

void RecordProcess(const std::wstring& dir, const wchar_t* role)
{
    FILETIME created{}, exited{}, kernel{}, user{};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const unsigned long long start = (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    AppendUtf8Line(dir + L"adb.pids",
                   std::to_wstring(::GetCurrentProcessId()) + L"\t" + std::to_wstring(start) + L"\t" + role);
}

const wchar_t kServerSwitch[] = L"--fake-server";

// Starts this program again as a long-lived server that inherits every inheritable handle.
void StartServer(unsigned long lifetimeMs)
{
    wchar_t self[MAX_PATH * 4];
    const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    std::wstring commandLine = L"\"" + std::wstring(self, n) + L"\" " + kServerSwitch + L" " + std::to_wstring(lifetimeMs);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                         &startup, &info)) {
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
}

unsigned long ReadMs(const CScenario& scenario, const wchar_t* key)
{
    return std::wcstoul(scenario.Get(key).c_str(), nullptr, 10);
}

void RecordPackage(const std::wstring& dir, const std::wstring& package)
{
    unsigned long long size = 0;
    const std::string hash = Sha256OfFile(package, &size);
    const std::wstring facts = hash.empty() ? L"missing\t-" : std::to_wstring(size) + L"\t" + std::wstring(hash.begin(), hash.end());
    AppendUtf8Line(dir + L"adb.packages", facts + L"\t" + package);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring dir = StandinDir(L"FAKEADB_DIR");
    if (argc == 3 && std::wstring(argv[1]) == kServerSwitch) {
        RecordProcess(dir, L"server");
        ::Sleep(std::wcstoul(argv[2], nullptr, 10));
        return 0;
    }
    RecordProcess(dir, L"adb");
    AppendUtf8Line(dir + L"adb.record", ::GetCommandLineW());

    const FakeAdbCommand command = ClassifyFakeAdbCommand(std::vector<std::wstring>(argv + 1, argv + argc));
    if (command.kind.rfind(L"install", 0) == 0) RecordPackage(dir, command.package);
    const CScenario scenario(dir, command);

    if (const unsigned long serverMs = ReadMs(scenario, L"server-ms")) StartServer(serverMs);
    if (const unsigned long delay = ReadMs(scenario, L"delay-ms")) ::Sleep(delay);
    PrintOutput(scenario);
    if (scenario.Get(L"close-output") == L"1") {
        ::CloseHandle(::GetStdHandle(STD_OUTPUT_HANDLE));
        ::CloseHandle(::GetStdHandle(STD_ERROR_HANDLE));
    }
    if (const unsigned long after = ReadMs(scenario, L"after-ms")) ::Sleep(after);
    return int(std::wcstoul(scenario.Get(L"exit").c_str(), nullptr, 10));
}
