#include "PackagePath.h"

std::wstring FindExtension(const std::wstring& path)
{
    std::size_t dot = std::wstring::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const wchar_t c = path[i];
        if (c == L'\\' || c == L' ') {
            dot = std::wstring::npos;
        } else if (c == L'.') {
            dot = i;
        }
    }
    return dot == std::wstring::npos ? std::wstring() : path.substr(dot);
}

bool HasApkExtension(const std::wstring& path)
{
    std::wstring extension = FindExtension(path);
    for (wchar_t& c : extension) {
        if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
    }
    return extension == L".apk";
}
