#include "AndroidVersion.h"

#include "TextUtf.h"

namespace {

// Index: API level.
const char* const kReleases[] = {
    nullptr, "1.0", "1.1", "1.5", "1.6", "2.0", "2.0.1", "2.1", "2.2", "2.3", "2.3.3",
    "3.0", "3.1", "3.2", "4.0", "4.0.3", "4.1", "4.2", "4.3", "4.4", "4.4W",
    "5.0", "5.1", "6.0", "7.0", "7.1", "8.0", "8.1", "9", "10", "11",
    "12", "12L", "13", "14", "15", "16",
};
constexpr int kKnownLevels = int(sizeof kReleases / sizeof kReleases[0]);

}  // namespace

std::string CAndroidVersion::ReleaseOf(int apiLevel)
{
    if (apiLevel < 1 || apiLevel >= kKnownLevels) return std::string();
    return kReleases[apiLevel];
}

std::u16string CAndroidVersion::SystemText(const std::u16string& minSdkText, int apiLevel)
{
    if (!minSdkText.empty()) return u"Android " + minSdkText + u"+";
    const std::string release = ReleaseOf(apiLevel);
    if (!release.empty()) return CTextUtf::FromAscii("Android " + release + "+");
    return CTextUtf::FromAscii("API " + std::to_string(apiLevel) + "+");
}
