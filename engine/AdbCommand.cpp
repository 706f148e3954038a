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
