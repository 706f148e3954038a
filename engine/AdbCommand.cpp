#include "AdbCommand.h"

std::wstring FormatAdbCommand(const wchar_t* commandTemplate, std::initializer_list<std::wstring> args)
{
    std::wstring line;
    auto next = args.begin();
    for (const wchar_t* p = commandTemplate; *p != L'\0'; ++p) {
        if (p[0] == L'%' && p[1] == L's') {
            if (next != args.end()) line += *next++;
            ++p;
        } else {
            line += *p;
        }
    }
    return line;
}

std::wstring AdbSerialArgument(const std::wstring& serial)
{
    if (!serial.empty() && serial.find_first_of(L" \t\n\v\"") == std::wstring::npos) return serial;

    // Backslashes are literal except in front of a double quote, where each one must be
    // doubled; so must those before the closing quote.
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : serial) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}
