// Failure codes that adb's install command can print, and the user message for each.
// The rows and the lookup are pure; GetInstallErrorTable (InstallErrorTableStore.h)
// builds the process-wide table from the string resources.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "CurrentInstallErrors.h"

// The map holds the rows below by key, ordered by UTF-16 code units: the lookup tries the
// keys in this order. What current phones answer besides them comes after, and only when
// no row matched.
struct InstallErrorTable : std::map<std::wstring, std::wstring> {
    CurrentInstallErrors current;
};

struct InstallErrorRow {
    const wchar_t* key;   // the code as the phone prints it
    unsigned messageId;   // string-table id of the user message
};

inline constexpr std::size_t kInstallErrorRowCount = 35;
extern const InstallErrorRow kInstallErrorRows[kInstallErrorRowCount];

// The code whose row carries the message for output that holds no known code.
extern const wchar_t kUnknownErrorKey[];

// Builds the table of the rows alone, asking loadText once for each row's message.
InstallErrorTable BuildInstallErrorTable(const std::function<std::wstring(unsigned)>& loadText);

// The rows and what current phones answer besides them; each message loaded once.
InstallErrorTable BuildCompleteInstallErrorTable(const std::function<std::wstring(unsigned)>& loadText);

// The message of the first key, in key order, that occurs in the output (case-sensitive,
// anywhere); else what the table's current part finds (FindCurrentInstallError); else the
// unknown-error message, also for an empty output.
std::wstring GetInstallErrorMessage(const InstallErrorTable& table, const std::wstring& output);
