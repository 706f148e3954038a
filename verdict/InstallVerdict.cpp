#include "InstallVerdict.h"

#include <algorithm>
#include <cstdio>

#include "AndroidVersion.h"
#include "resource.h"

namespace {

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The version as the user reads it: its name, else its code.
std::wstring ShownVersion(const std::wstring& name, bool codeKnown, std::int64_t code)
{
    if (!name.empty()) return name;
    return codeKnown ? std::to_wstring(code) : std::wstring();
}

bool RunsOn(const PackageFacts& package, const PhoneFacts& phone)
{
    if (package.abis.empty() || phone.abis.empty()) return true;
    return std::any_of(package.abis.begin(), package.abis.end(), [&](const std::wstring& abi) {
        return std::find(phone.abis.begin(), phone.abis.end(), abi) != phone.abis.end();
    });
}

}  // namespace

Verdict ChooseVerdict(const PackageFacts& package, const PhoneFacts& phone)
{
    if (phone.sdk > 0 && package.minSdk > phone.sdk) {
        return Verdict{VerdictKind::OldAndroid,
                       {AndroidReleaseName(package.minSdk, L"API " + std::to_wstring(package.minSdk)),
                        AndroidReleaseName(phone.sdk, phone.release)}};
    }
    if (!RunsOn(package, phone)) return Verdict{VerdictKind::NoMatchingAbi, {}};

    const InstalledVersion& installed = phone.installed;
    const bool compared = installed.known && installed.installed && installed.codeKnown && package.codeKnown;
    if (compared && installed.code > package.versionCode) {
        return Verdict{VerdictKind::NewerInstalled, {ShownVersion(installed.name, true, installed.code)}};
    }
    if (phone.freeKnown && package.size > 0 && phone.freeBytes < package.size * kRoomFactor) {
        return Verdict{VerdictKind::LowSpace, {FreeSpaceText(phone.freeBytes)}};
    }
    if (compared && installed.code == package.versionCode) return Verdict{VerdictKind::SameVersion, {}};
    if (compared) {
        return Verdict{VerdictKind::Upgrade,
                       {ShownVersion(installed.name, true, installed.code),
                        ShownVersion(package.versionName, package.codeKnown, package.versionCode)}};
    }
    if (installed.known && !installed.installed) return Verdict{VerdictKind::Fresh, {}};
    return Verdict{};
}

unsigned VerdictTextId(VerdictKind kind)
{
    switch (kind) {
    case VerdictKind::OldAndroid: return IDS_VERDICT_OLD_ANDROID_FMT;
    case VerdictKind::NoMatchingAbi: return IDS_VERDICT_NO_ABI;
    case VerdictKind::NewerInstalled: return IDS_VERDICT_NEWER_FMT;
    case VerdictKind::LowSpace: return IDS_VERDICT_LOW_SPACE_FMT;
    case VerdictKind::SameVersion: return IDS_VERDICT_SAME_VERSION;
    case VerdictKind::Upgrade: return IDS_VERDICT_UPGRADE_FMT;
    case VerdictKind::Fresh: return IDS_VERDICT_FRESH;
    default: return 0;
    }
}

std::uint32_t VerdictColour(VerdictKind kind)
{
    switch (kind) {
    case VerdictKind::OldAndroid:
    case VerdictKind::NoMatchingAbi:
    case VerdictKind::NewerInstalled: return 0xFFC94C42;
    case VerdictKind::LowSpace: return 0xFFD9822B;
    case VerdictKind::SameVersion: return 0xFF0080C9;
    case VerdictKind::Upgrade:
    case VerdictKind::Fresh: return 0xFF5BAE2F;
    default: return 0xFF3E555B;
    }
}

std::wstring VerdictText(const Verdict& verdict, const std::wstring& textTemplate)
{
    std::wstring text;
    std::size_t next = 0;
    for (std::size_t i = 0; i < textTemplate.size(); ++i) {
        if (textTemplate.compare(i, 2, L"%s") == 0) {
            if (next < verdict.values.size()) text += verdict.values[next];
            ++next;
            ++i;
        } else {
            text += textTemplate[i];
        }
    }
    return text;
}

std::wstring AndroidReleaseName(int sdk, const std::wstring& fallback)
{
    const std::string release = CAndroidVersion::ReleaseOf(sdk);
    return release.empty() ? fallback : Widen(release);
}

std::wstring FreeSpaceText(std::uint64_t bytes)
{
    constexpr std::uint64_t kMiB = 1024 * 1024;
    constexpr std::uint64_t kGiB = 1024 * kMiB;
    if (bytes < kMiB) return std::to_wstring(bytes / 1024) + L" KB";
    if (bytes < kGiB) return std::to_wstring(bytes / kMiB) + L" MB";
    const std::uint64_t tenths = bytes * 10 / kGiB;
    return std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10) + L" GB";
}
