#include "VersionCode.h"

#include <limits>

std::int64_t LongVersionCode(std::uint32_t major, std::uint32_t code)
{
    return static_cast<std::int64_t>((std::uint64_t(major) << 32) | code);
}

bool ParseVersionNumber(const std::wstring& text, std::int64_t& value)
{
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == L'-';
    if (negative) ++i;
    if (i >= text.size()) return false;
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = std::uint64_t(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        const std::uint64_t digit = std::uint64_t(text[i] - L'0');
        if (magnitude > (limit - digit) / 10) return false;
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}
