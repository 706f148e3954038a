#include "WindowTexts.h"

namespace {

std::wstring ReplaceFirst(const std::wstring& format, const wchar_t* mark, const std::wstring& value)
{
    const std::size_t at = format.find(mark);
    if (at == std::wstring::npos) return format;
    return format.substr(0, at) + value + format.substr(at + 2);
}

}  // namespace

std::wstring FormatWithText(const std::wstring& format, const std::wstring& value)
{
    return ReplaceFirst(format, L"%s", value);
}

std::wstring FormatWithNumber(const std::wstring& format, int value)
{
    return ReplaceFirst(format, L"%d", std::to_wstring(value));
}
