#include "ByteSizeText.h"

#include <cstdio>

namespace {

std::wstring Widen(const char* ascii)
{
    std::wstring text;
    for (const char* p = ascii; *p; ++p) text += wchar_t(static_cast<unsigned char>(*p));
    return text;
}

std::wstring FormatUnits(double value, const char* unit)
{
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%.2f %s", value, unit);
    return Widen(buffer);
}

}  // namespace

std::wstring FormatByteSize(std::uint64_t bytes)
{
    constexpr std::uint64_t kKilo = 1024;
    constexpr std::uint64_t kMega = kKilo * 1024;
    constexpr std::uint64_t kGiga = kMega * 1024;
    if (bytes < kKilo) {
        char buffer[16];
        std::snprintf(buffer, sizeof(buffer), "%u B", unsigned(bytes));
        return Widen(buffer);
    }
    if (bytes < kMega) return FormatUnits(double(bytes) / 1024.0, "KB");
    if (bytes < kGiga) return FormatUnits(double(bytes >> 10) / 1024.0, "MB");
    return FormatUnits(double(bytes >> 20) / 1024.0, "GB");
}
