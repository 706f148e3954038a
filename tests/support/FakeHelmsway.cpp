#include "FakeHelmsway.h"

#include <windows.h>

CFakeHelmsway::CFakeHelmsway() { ::SetEnvironmentVariableW(L"FAKEHELMSWAY_DIR", m_dir.Path().c_str()); }

CFakeHelmsway::~CFakeHelmsway() { ::SetEnvironmentVariableW(L"FAKEHELMSWAY_DIR", nullptr); }

std::vector<std::wstring> CFakeHelmsway::Launches() const
{
    const std::string record = ReadBytesFromFile(m_dir.File(L"helmsway.record"));
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = record.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = record.substr(start, end - start);
        std::wstring wide(line.size(), L'\0');
        const int n = ::MultiByteToWideChar(CP_UTF8, 0, line.data(), int(line.size()), &wide[0], int(wide.size()));
        wide.resize(std::size_t(n > 0 ? n : 0));
        lines.push_back(wide);
    }
    return lines;
}

std::vector<std::wstring> CFakeHelmsway::WaitForLaunches(std::size_t count, unsigned timeoutMs) const
{
    const ULONGLONG started = ::GetTickCount64();
    std::vector<std::wstring> launches = Launches();
    while (launches.size() < count && ::GetTickCount64() - started < timeoutMs) {
        ::Sleep(20);
        launches = Launches();
    }
    return launches;
}

std::wstring CFakeHelmsway::Parameters(const std::wstring& commandLine)
{
    std::size_t pos = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        pos = commandLine.find(L'"', 1);
        pos = pos == std::wstring::npos ? commandLine.size() : pos + 1;
    } else {
        while (pos < commandLine.size() && commandLine[pos] != L' ' && commandLine[pos] != L'\t') ++pos;
    }
    if (pos < commandLine.size() && commandLine[pos] == L' ') ++pos;
    return commandLine.substr(pos);
}
