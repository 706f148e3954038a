#include "InstallRules.h"

#include <limits>

#include "AdbCommand.h"
#include "TextCase.h"

namespace {

bool IsLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Whether the first word of output[start, end) is "success" in any letter case.
bool FirstWordIsSuccess(const std::wstring& output, std::size_t start, std::size_t end)
{
    while (start < end && IsBlank(output[start])) ++start;
    std::size_t wordEnd = start;
    while (wordEnd < end && !IsBlank(output[wordEnd])) ++wordEnd;
    return EqualsIgnoreCaseAscii(output.substr(start, wordEnd - start), L"success");
}

// The white space that C's wide-string conversions skip, without depending on a locale.
bool IsSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

}  // namespace

std::int32_t ParseSdkLevel(const std::wstring& output)
{
    std::size_t pos = 0;
    while (pos < output.size() && IsSpace(output[pos])) ++pos;
    bool negative = false;
    if (pos < output.size() && (output[pos] == L'+' || output[pos] == L'-')) negative = output[pos++] == L'-';

    constexpr std::int64_t kLimit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t value = 0;
    for (; pos < output.size() && output[pos] >= L'0' && output[pos] <= L'9'; ++pos) {
        value = value * 10 + (output[pos] - L'0');
        if (value > kLimit) value = kLimit;  // keeps the sum in range; clamped below
    }
    if (negative) return value >= kLimit ? std::numeric_limits<std::int32_t>::min() : std::int32_t(-value);
    return value >= kLimit ? std::numeric_limits<std::int32_t>::max() : std::int32_t(value);
}

const wchar_t* ChooseInstallTemplate(const std::wstring& installLocationAnswer)
{
    if (!installLocationAnswer.empty()) {
        const wchar_t first = installLocationAnswer[0];
        if (first == L'0' || first == L'1' || first == L'2') return kAdbInstallToPhone;
    }
    return kAdbInstall;
}

bool IsInstallSuccess(const std::wstring& output)
{
    std::size_t pos = 0;
    while (pos < output.size()) {
        const std::size_t start = pos;
        while (pos < output.size() && !IsLineBreak(output[pos])) ++pos;
        if (FirstWordIsSuccess(output, start, pos)) return true;
        ++pos;
    }
    return false;
}

std::wstring FormatTempApkName(std::uint32_t tickCount)
{
    return FormatTempFileName(tickCount, L".apk");
}

std::wstring FormatTempFileName(std::uint32_t tickCount, const wchar_t* extension)
{
    // The count's bits read as a signed number: past 24.8 days of uptime it is negative.
    const std::int64_t signedCount = tickCount > 0x7FFFFFFFu ? std::int64_t(tickCount) - 0x100000000LL
                                                              : std::int64_t(tickCount);
    return std::to_wstring(signedCount) + extension;
}
