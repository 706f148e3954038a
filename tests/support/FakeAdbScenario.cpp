#include "FakeAdbScenario.h"

#include <windows.h>

#include <cstdlib>

#include "ScopedHandle.h"
#include "TestData.h"
#include "Utf8Text.h"

namespace {

const char* const kCommandKinds[] = {"devices", "getprop_sdk", "getInstallLocation",
                                     "install_r", "install_r_s", "install_r_f"};

std::vector<std::string> ReadLines(const std::wstring& path)
{
    std::vector<std::string> lines;
    const std::string bytes = ReadBytesFromFile(path);
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
}

// The recorded process if it still runs: the same id and the same start time, so that an
// id the system has given to another process since is never mistaken for it.
CScopedKernelHandle OpenIfRunning(const CFakeAdbScenario::Process& process, DWORD access)
{
    CScopedKernelHandle handle(::OpenProcess(access | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.id));
    if (!handle) return handle;
    FILETIME created{}, exited{}, kernel{}, user{};
    ::GetProcessTimes(handle.Get(), &created, &exited, &kernel, &user);
    const unsigned long long start = (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    if (start != process.startTime || ::WaitForSingleObject(handle.Get(), 0) == WAIT_OBJECT_0) handle.Reset();
    return handle;
}

}  // namespace

CFakeAdbScenario::CFakeAdbScenario() : m_file(m_dir.File(L"adb.scenario"))
{
    ::SetEnvironmentVariableW(L"FAKEADB_DIR", m_dir.Path().c_str());
}

CFakeAdbScenario::~CFakeAdbScenario()
{
    for (const Process& process : RecordedProcesses()) {
        const CScopedKernelHandle running = OpenIfRunning(process, SYNCHRONIZE | PROCESS_TERMINATE);
        if (running) ::TerminateProcess(running.Get(), 1);
    }
    ::SetEnvironmentVariableW(L"FAKEADB_DIR", nullptr);
}

void CFakeAdbScenario::Set(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), m_file.c_str());
}

void CFakeAdbScenario::SetOutputBytes(const std::wstring& section, const std::string& bytes)
{
    const std::wstring name = L"output" + std::to_wstring(++m_outputs) + L".bin";
    WriteBytesToFile(m_dir.File(name), bytes);
    Set(section, L"output-file", name);
}

void CFakeAdbScenario::PlayCapture(const std::string& situation)
{
    for (const char* kind : kCommandKinds) PlayCapture(situation, kind);
}

void CFakeAdbScenario::PlayCapture(const std::string& situation, const std::string& kind)
{
    const std::string base = "adb/" + situation + "__" + kind;
    const std::wstring section = WidenBytes(kind);
    SetOutputBytes(section, ReadTestData(base + ".txt"));
    const std::string rc = ReadTestData(base + ".rc");
    if (rc.rfind("timeout", 0) == 0) {
        Set(section, L"delay-ms", L"60000");
        Set(section, L"output-file", L"");
    } else {
        const unsigned long code = std::strtoul(rc.c_str(), nullptr, 10);
        Set(section, L"exit", code == 255 ? L"4294967295" : std::to_wstring(code));
    }
}

void CFakeAdbScenario::SetDevices(const std::vector<std::pair<std::wstring, std::wstring>>& phones,
                                  const std::string& notes)
{
    std::string list = notes + "List of devices attached\r\n";
    for (const auto& [serial, state] : phones) list += ToUtf8(serial) + "\t" + ToUtf8(state) + "\r\n";
    SetOutputBytes(L"devices", list + "\r\n");
}

std::vector<std::wstring> CFakeAdbScenario::RecordedCommands() const
{
    std::vector<std::wstring> lines;
    for (const std::string& line : ReadLines(m_dir.File(L"adb.record"))) lines.push_back(FromUtf8(line));
    return lines;
}

std::vector<CFakeAdbScenario::InstalledPackage> CFakeAdbScenario::RecordedPackages() const
{
    std::vector<InstalledPackage> packages;
    for (const std::string& line : ReadLines(m_dir.File(L"adb.packages"))) {
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        if (tab1 == std::string::npos || tab2 == std::string::npos) continue;
        InstalledPackage package;
        package.exists = line.compare(0, tab1, "missing") != 0;
        if (package.exists) {
            package.size = std::strtoull(line.c_str(), nullptr, 10);
            package.sha256 = line.substr(tab1 + 1, tab2 - tab1 - 1);
        }
        package.path = FromUtf8(line.substr(tab2 + 1));
        packages.push_back(package);
    }
    return packages;
}

std::vector<CFakeAdbScenario::Process> CFakeAdbScenario::RecordedProcesses() const
{
    std::vector<Process> processes;
    for (const std::string& line : ReadLines(m_dir.File(L"adb.pids"))) {
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        if (tab1 == std::string::npos || tab2 == std::string::npos) continue;
        Process process;
        process.id = std::strtoul(line.c_str(), nullptr, 10);
        process.startTime = std::strtoull(line.c_str() + tab1 + 1, nullptr, 10);
        process.role = FromUtf8(line.substr(tab2 + 1));
        processes.push_back(process);
    }
    return processes;
}

bool CFakeAdbScenario::ProcessesEnd(const std::wstring& role, unsigned long withinMs) const
{
    const ULONGLONG deadline = ::GetTickCount64() + withinMs;
    for (const Process& process : RecordedProcesses()) {
        if (process.role != role) continue;
        const CScopedKernelHandle running = OpenIfRunning(process, SYNCHRONIZE);
        const ULONGLONG now = ::GetTickCount64();
        if (running && ::WaitForSingleObject(running.Get(), DWORD(deadline > now ? deadline - now : 0)) != WAIT_OBJECT_0) {
            return false;
        }
    }
    return true;
}
