// What current phones answer when an install fails, beyond the codes of the first table
// (InstallErrorTable.h): newer failure codes, codes given only as their number, and adb's
// own complaints that carry no code. Consulted only when no row of the first table matched,
// so every output that one explains keeps its text. Pure code.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>

struct CurrentInstallErrorRow {
    const wchar_t* key;   // the code as the phone prints it
    unsigned messageId;   // string-table id of the user message
};

inline constexpr std::size_t kCurrentInstallErrorRowCount = 19;
extern const CurrentInstallErrorRow kCurrentInstallErrorRows[kCurrentInstallErrorRowCount];

// Android's public value of a code of either table, for phones that print only the number
// ("Failure [-25]").
struct InstallErrorNumber {
    int number;
    const wchar_t* key;
};

inline constexpr std::size_t kInstallErrorNumberCount = 45;
extern const InstallErrorNumber kInstallErrorNumbers[kInstallErrorNumberCount];

struct CurrentInstallErrors {
    std::map<std::wstring, std::wstring> codes;  // by key; tried in key order
    std::map<int, std::wstring> numbers;
    std::wstring phoneGone;      // adb says the phone is not found or offline
    std::wstring phoneNotReady;  // adb's failure lines without a code
};

// Asks loadText once for each message id. firstTable holds the first table's rows, by key:
// a number of one of its codes gets that code's text.
CurrentInstallErrors BuildCurrentInstallErrors(const std::map<std::wstring, std::wstring>& firstTable,
                                               const std::function<std::wstring(unsigned)>& loadText);

// The message for output that no row of the first table matched, trying in turn: the
// codes (case-sensitive, anywhere, in key order), a number in "Failure [-N]" or
// "Failure [-N: ...]", a line of adb's ("error:" or "adb:") saying the phone is not found
// or offline, and adb's failures without a code. Null when none applies.
const std::wstring* FindCurrentInstallError(const CurrentInstallErrors& errors, const std::wstring& output);
