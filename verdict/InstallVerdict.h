// The verdict before the click: what the attached phone and the package say about an
// install, as one line with its colour. Pure data: the facts come from the package and
// from the phone's answers (PhoneOutputs.h), the texts from the string table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PhoneOutputs.h"

struct PackageFacts {
    std::wstring packageName;
    bool codeKnown = false;
    std::int64_t versionCode = 0;  // the long version code (VersionCode.h)
    std::wstring versionName;
    int minSdk = 1;
    std::vector<std::wstring> abis;  // of the native code; empty: none, runs anywhere
    std::uint64_t size = 0;
};

struct PhoneFacts {
    int sdk = 0;  // 0 when the phone did not say
    std::wstring release;  // ro.build.version.release
    std::vector<std::wstring> abis;
    InstalledVersion installed;
    bool freeKnown = false;
    std::uint64_t freeBytes = 0;
};

// Worst first: the first that applies is shown.
enum class VerdictKind {
    None,            // nothing known enough to say
    OldAndroid,      // the phone's SDK is below the package's minimum
    NoMatchingAbi,   // native code, none for the phone's processors
    NewerInstalled,  // the phone refuses a downgrade
    LowSpace,        // less than about twice the package's size free
    SameVersion,     // reinstalled over itself
    Upgrade,
    Fresh,           // not yet on the phone
};

struct Verdict {
    VerdictKind kind = VerdictKind::None;
    std::vector<std::wstring> values;  // for the text's %s marks, in order
};

// How much room an install needs beside the package: the copy that the phone receives
// and the installed app.
inline constexpr std::uint64_t kRoomFactor = 2;

Verdict ChooseVerdict(const PackageFacts& package, const PhoneFacts& phone);

// The string-table id of the verdict's text; 0 for none.
unsigned VerdictTextId(VerdictKind kind);
// The colour of its line (ARGB): red where the phone will refuse, orange for a doubt,
// blue for a reinstall, green where it will install.
std::uint32_t VerdictColour(VerdictKind kind);
// The text filled: each "%s" of the template takes the next value, which is never read
// as a template itself.
std::wstring VerdictText(const Verdict& verdict, const std::wstring& textTemplate);

// The Android release an SDK level names ("8.0" for 26); the phone's own release text
// when the table does not know the level.
std::wstring AndroidReleaseName(int sdk, const std::wstring& fallback = std::wstring());
// Free space as the verdict says it: "4 KB" below a megabyte, "120 MB" below a gigabyte,
// else "1.5 GB" (base 1024, rounded down).
std::wstring FreeSpaceText(std::uint64_t bytes);
