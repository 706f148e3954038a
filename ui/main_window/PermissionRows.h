// The permission panel's content as plain data: the permissions shown, in their order,
// and the display rows they are broken into.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Permissions from this level up are listed; the library rates the harmless ones lower.
inline constexpr int kShownPermissionLevel = 70;

struct PermissionEntry {
    std::wstring title;
    std::wstring description;
    int level = 0;
};

struct PermissionRow {
    int isTitle = 0;  // 1 for the bold title row, 0 for a line of the description
    int level = 0;
    std::wstring text;
};

// Highest level first; entries of one level keep the package's order.
void SortPermissionEntries(std::vector<PermissionEntry>& entries);

// How many UTF-16 units from the start of the text fit on one row. The answer may be 0
// (a failed measurement) or more than the text holds; the rows still come out whole.
using RowFitter = std::function<std::size_t(const std::wstring& text)>;

// A title row for every entry with a title, followed by its description broken into rows
// as the fitter says; an entry without a title is left out whole. Every row takes at least
// one character and never half of a surrogate pair, so the breaking always ends.
std::vector<PermissionRow> BuildPermissionRows(const std::vector<PermissionEntry>& entries, const RowFitter& fit);

// The length of the next row of text given the fitter's answer, by the rules above.
std::size_t NextRowLength(const std::wstring& text, std::size_t fitted);
