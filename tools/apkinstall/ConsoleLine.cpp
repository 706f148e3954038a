#include "ConsoleLine.h"

void WriteConsoleLine(DWORD standardHandle, const std::wstring& text)
{
    const HANDLE out = ::GetStdHandle(standardHandle);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
    const std::wstring line = text + L"\r\n";

    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(out, &mode)) {
        ::WriteConsoleW(out, line.c_str(), DWORD(line.size()), &written, nullptr);
        return;
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return;
    std::string utf8(std::size_t(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), &utf8[0], size, nullptr, nullptr);
    ::WriteFile(out, utf8.data(), DWORD(utf8.size()), &written, nullptr);
}
