#include "StandinRecord.h"

#include <windows.h>

std::wstring StandinDir(const wchar_t* environmentVariable)
{
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = ::GetEnvironmentVariableW(environmentVariable, buffer, MAX_PATH * 4);
    std::wstring dir;
    if (length > 0 && length < MAX_PATH * 4) {
        dir.assign(buffer, length);
    } else {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
        dir.assign(buffer, n);
        dir.resize(dir.rfind(L'\\'));
    }
    if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
    return dir;
}

void AppendUtf8Line(const std::wstring& path, const std::wstring& text)
{
    std::string utf8(std::size_t(::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0,
                                                       nullptr, nullptr)), '\0');
    if (!utf8.empty()) {
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), &utf8[0], int(utf8.size()), nullptr,
                              nullptr);
    }
    utf8 += '\n';
    // Append under a sharing lock, retrying briefly while another stand-in holds it.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ::WriteFile(file, utf8.data(), DWORD(utf8.size()), &written, nullptr);
            ::CloseHandle(file);
            return;
        }
        ::Sleep(5);
    }
}
