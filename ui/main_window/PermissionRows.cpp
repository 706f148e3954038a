#include "PermissionRows.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A cut before position n splits a pair when a high half stands before it and a low after.
bool SplitsPair(const std::wstring& text, std::size_t n)
{
    return n > 0 && n < text.size() && IsHighSurrogate(text[n - 1]) && IsLowSurrogate(text[n]);
}

}  // namespace

void SortPermissionEntries(std::vector<PermissionEntry>& entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const PermissionEntry& a, const PermissionEntry& b) { return a.level > b.level; });
}

std::size_t NextRowLength(const std::wstring& text, std::size_t fitted)
{
    std::size_t n = std::min(fitted, text.size());
    if (SplitsPair(text, n)) --n;
    if (n == 0) n = SplitsPair(text, 1) ? 2 : 1;
    return std::min(n, text.size());
}

std::vector<PermissionRow> BuildPermissionRows(const std::vector<PermissionEntry>& entries, const RowFitter& fit)
{
    std::vector<PermissionRow> rows;
    for (const PermissionEntry& entry : entries) {
        if (entry.title.empty()) continue;
        rows.push_back(PermissionRow{1, entry.level, entry.title});
        std::wstring rest = entry.description;
        while (!rest.empty()) {
            const std::size_t n = NextRowLength(rest, fit(rest));
            rows.push_back(PermissionRow{0, entry.level, rest.substr(0, n)});
            rest.erase(0, n);
        }
    }
    return rows;
}
