// What a phone prints for the questions asked before an install and for opening an app:
// its ABI properties, the installed version of a package (pm list packages, dumpsys
// package), the free space of /data (df, stat -f), the launcher activity, and whether
// am start or monkey started something. Outputs as adb captured them: LF, CR LF or the
// CR CR LF of a phone's pty.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the phone knows of one package.
struct InstalledVersion {
    bool known = false;      // the phone answered the question
    bool installed = false;
    bool codeKnown = false;
    std::int64_t code = 0;   // the long version code
    std::wstring name;       // versionName; empty when the phone did not say
};

// The output's lines without their line ends.
std::vector<std::wstring> OutputLines(const std::wstring& output);
// The first line, without blanks around it.
std::wstring FirstLine(const std::wstring& output);

// The first ready phone of `devices -l` (the install picks the same one), long form or
// short; empty when none is ready or the list's header is missing.
std::wstring FirstReadySerial(const std::wstring& devicesOutput);

// ro.product.cpu.abilist (comma separated, Android 5 on); without it ro.product.cpu.abi
// and ro.product.cpu.abi2 of older phones. Each once, in the phone's order of preference.
std::vector<std::wstring> ParseAbiList(const std::wstring& abilist, const std::wstring& abi,
                                       const std::wstring& abi2);

// `pm list packages --show-versioncode PKG`: "package:NAME versionCode:N" lines. pm
// filters by a part of the name, so only the exact name counts. An old pm that does not
// know the option prints an error: the answer is then not known.
InstalledVersion ParsePackageList(const std::wstring& output, const std::wstring& package);

// `dumpsys package PKG`: the package's own block ("Package [PKG] (...):") of the
// "Packages:" section gives versionCode=N and versionName=TEXT. Fills what it finds
// into version; a readable output without the block says that the package is absent.
void ReadDumpsysPackage(const std::wstring& output, const std::wstring& package, InstalledVersion& version);

// The bytes available to apps on /data from `df /data`: toybox's "1K-blocks ...
// Available" table (Android 7 on), toolbox's "Size Used Free Blksize" table with K, M
// and G sizes (Android 4 to 6), or the one-line form of Android 2 ("/data: 1548288K
// total, 1211924K used, 336364K available (block size 4096)").
bool ParseDfAvailable(const std::wstring& output, std::uint64_t& bytes);

// The same from `stat -f /data`: "Block size: N" (or "Block Size:") times "Available: N".
bool ParseStatAvailable(const std::wstring& output, std::uint64_t& bytes);

// `cmd package resolve-activity --brief -c android.intent.category.LAUNCHER PKG`: the
// component ("PKG/.Main") on its last line; empty when no activity was found.
std::wstring ParseResolvedActivity(const std::wstring& output, const std::wstring& package);

// `am start -n COMPONENT` started it: it printed "Starting: ..." and no "Error".
bool AmStartSucceeded(const std::wstring& output);
// `monkey -p PKG -c android.intent.category.LAUNCHER 1` injected its one event.
bool MonkeySucceeded(const std::wstring& output);
