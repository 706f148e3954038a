#include "FakeAdbScenario.h"

#include <windows.h>

#include "TestData.h"

namespace {

const char* const kCommandKinds[] = {"devices", "getprop_sdk", "getInstallLocation",
                                     "install_r", "install_r_s", "install_r_f"};

std::wstring FromUtf8(const std::string& text)
{
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length > 0 ? length : 0), L'\0');
    if (length > 0) ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &wide[0], length);
    return wide;
}

}  // namespace

CFakeAdbScenario::CFakeAdbScenario() : m_file(m_dir.File(L"adb.scenario"))
{
    ::SetEnvironmentVariableW(L"FAKEADB_DIR", m_dir.Path().c_str());
}

CFakeAdbScenario::~CFakeAdbScenario() { ::SetEnvironmentVariableW(L"FAKEADB_DIR", nullptr); }

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
    for (const char* kind : kCommandKinds) {
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
}

std::vector<std::wstring> CFakeAdbScenario::RecordedCommands() const
{
    std::vector<std::wstring> lines;
    const std::string record = ReadBytesFromFile(m_dir.File(L"adb.record"));
    std::size_t start = 0;
    for (std::size_t end; (end = record.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(FromUtf8(record.substr(start, end - start)));
    }
    return lines;
}
