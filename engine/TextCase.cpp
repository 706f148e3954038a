#include "TextCase.h"

namespace {

wchar_t UpperAscii(wchar_t c) { return (c >= L'a' && c <= L'z') ? wchar_t(c - L'a' + L'A') : c; }
wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c; }

}  // namespace

std::wstring ToUpperAscii(std::wstring text)
{
    for (wchar_t& c : text) c = UpperAscii(c);
    return text;
}

std::wstring ToLowerAscii(std::wstring text)
{
    for (wchar_t& c : text) c = LowerAscii(c);
    return text;
}

bool EqualsIgnoreCaseAscii(const std::wstring& a, const wchar_t* b)
{
    std::size_t i = 0;
    for (; i < a.size(); ++i) {
        if (b[i] == L'\0' || UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    }
    return b[i] == L'\0';
}
