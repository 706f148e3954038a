// Failure codes that adb's install command can print, and the user message for each.
// The rows and the lookup are pure; GetInstallErrorTable (InstallErrorTableStore.h)
// builds the process-wide table from the string resources.
#pragma once

#include <functional>
#include <map>
#include <string>

// Ordered by UTF-16 code units: the lookup tries the keys in this order.
using InstallErrorTable = std::map<std::wstring, std::wstring>;

struct InstallErrorRow {
    const wchar_t* key;   // the code as the phone prints it
    unsigned messageId;   // string-table id of the user message
};

inline constexpr std::size_t kInstallErrorRowCount = 35;
extern const InstallErrorRow kInstallErrorRows[kInstallErrorRowCount];

// The code whose row carries the message for output that holds no known code.
extern const wchar_t kUnknownErrorKey[];

// Builds the table, asking loadText once for each row's message.
InstallErrorTable BuildInstallErrorTable(const std::function<std::wstring(unsigned)>& loadText);

// The message of the first key, in key order, that occurs in the output (case-sensitive,
// anywhere); the unknown-error message when none does or the output is empty.
std::wstring GetInstallErrorMessage(const InstallErrorTable& table, const std::wstring& output);
