// Compares the parser with Debian's aapt ("aapt dump badging") on the shared real
// packages and on our own: package, labels, versionName, minSdk, permissions, icon (see
// Compare for where our icon may differ from the one aapt names, and why).
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <regex>
#include <set>

#include "ApkParser.h"
#include "FileSource.h"
#include "OwnPackages.h"
#include "TestData.h"

namespace {

struct Badging {
    int exitCode = -1;
    std::map<std::string, std::string> values;  // "package", "versionName", "label", "label-zh-CN", "sdkVersion"
    std::map<int, std::string> icons;           // density: entry
    std::vector<std::string> permissions;       // in order, each once, implied ones left out
};

std::string Quoted(const std::string& line, const std::string& key)
{
    const std::regex pattern(key + "='([^']*)'");
    std::smatch match;
    return std::regex_search(line, match, pattern) ? match[1].str() : std::string();
}

Badging RunAapt(const std::string& path)
{
    Badging badging;
    const std::string command = "aapt dump badging '" + path + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return badging;
    std::string output;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    badging.exitCode = pclose(pipe);

    std::set<std::string> implied;
    std::vector<std::string> listed;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        const std::string line = output.substr(start, end - start);
        start = end + 1;
        std::smatch match;
        if (line.rfind("package:", 0) == 0) {
            badging.values["package"] = Quoted(line, "name");
            badging.values["versionName"] = Quoted(line, "versionName");
        } else if (std::regex_match(line, match, std::regex("sdkVersion:'(.*)'"))) {
            badging.values["sdkVersion"] = match[1];
        } else if (std::regex_match(line, match, std::regex("application-label(-[^:]+)?:'(.*)'"))) {
            badging.values["label" + match[1].str()] = match[2];
        } else if (std::regex_match(line, match, std::regex("application-icon-([0-9]+):'(.*)'"))) {
            badging.icons[std::stoi(match[1])] = match[2];
        } else if (line.rfind("uses-permission:", 0) == 0 || line.rfind("uses-permission-sdk-23:", 0) == 0) {
            listed.push_back(Quoted(line, "name"));
        } else if (line.rfind("uses-implied-permission:", 0) == 0) {
            implied.insert(Quoted(line, "name"));
        }
    }
    std::set<std::string> seen;
    for (const std::string& name : listed) {
        if (!implied.count(name) && seen.insert(name).second) badging.permissions.push_back(name);
    }
    return badging;
}

std::string ValueOr(const Badging& badging, const std::string& key, const std::string& fallback)
{
    const auto found = badging.values.find(key);
    return found == badging.values.end() ? fallback : found->second;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsBitmapName(const std::string& entry)
{
    for (const char* suffix : {".png", ".jpg", ".jpeg", ".gif", ".bmp"}) {
        if (EndsWith(entry, suffix)) return true;
    }
    return false;
}

void Compare(const std::string& path)
{
    SCOPED_TRACE(path);
    const Badging aapt = RunAapt(path);
    ASSERT_EQ(0, aapt.exitCode) << "aapt failed (installed by scripts/bootstrap)";
    CFileSource file;
    ASSERT_TRUE(file.Open(path));
    ApkSummary ours;
    ASSERT_TRUE(CApkParser::Parse(file, CApkParser::LocaleOf(u"CHS"), ours));

    EXPECT_EQ(ValueOr(aapt, "package", "?"), Narrow(ours.packageName.value_or(u"")));
    EXPECT_EQ(ValueOr(aapt, "versionName", "?"), Narrow(ours.versionName.value_or(u"")));
    const std::string defaultLabel = ValueOr(aapt, "label", "");
    EXPECT_EQ(defaultLabel, Narrow(ours.labelDefault.value_or(u"")));
    const std::string chinese = ValueOr(aapt, "label-zh-CN", ValueOr(aapt, "label-zh", defaultLabel));
    EXPECT_EQ(chinese.empty() ? Narrow(ours.packageName.value_or(u"")) : chinese, Narrow(ours.AppName()));
    const std::string sdk = ValueOr(aapt, "sdkVersion", "1");
    EXPECT_EQ(sdk, ours.minSdkCodename.empty() ? std::to_string(ours.minSdk) : Narrow(ours.minSdkCodename));

    std::vector<std::string> permissions;
    for (const std::u16string& name : ours.permissions) permissions.push_back(Narrow(name));
    EXPECT_EQ(aapt.permissions, permissions);

    // aapt names the icon it would show at each density. At the highest up to xxxhdpi:
    // - a bitmap the window decodes must be exactly our choice;
    // - an XML drawable (an adaptive icon): ours is drawn from that very document, or,
    //   a deliberate difference, a bitmap of the same icon that the window decodes itself
    //   at some other density, which we take before drawing;
    // - a WebP: here nothing decodes WebP (that is Pakrun.dll's, with the system's codec),
    //   so ours is a bitmap the window decodes, or none;
    // - nothing: we have none either.
    std::string best;
    for (const auto& [density, entry] : aapt.icons) {
        if (density <= 640) best = entry;
    }
    if (IsBitmapName(best)) {
        ASSERT_TRUE(ours.icon.has_value());
        EXPECT_EQ(best, ours.icon->entry);
    } else if (EndsWith(best, ".xml")) {
        ASSERT_TRUE(ours.icon.has_value());
        if (ours.icon->origin == IconOrigin::Drawn) {
            EXPECT_EQ(best, ours.icon->entry);
        } else {
            EXPECT_TRUE(ours.icon->origin == IconOrigin::Bitmap && IsBitmapName(ours.icon->entry)) << ours.icon->entry;
        }
    } else if (EndsWith(best, ".webp")) {
        if (ours.icon) {
            EXPECT_TRUE(IsBitmapName(ours.icon->entry)) << ours.icon->entry;
        }
    } else {
        EXPECT_FALSE(ours.icon.has_value()) << best;
    }
}

}  // namespace

TEST(AaptComparison, SharedRealPackages)
{
    Compare(TestDataPath("apks/ApiDemos-debug.apk"));
    Compare(TestDataPath("apks/settings_apk-debug.apk"));
    Compare(TestDataPath("apks/appium-uiautomator2-server-debug-androidTest.apk"));
}

TEST(AaptComparison, OwnPackages)
{
    for (const char* name : {"zh_label", "raw_label", "adaptive_icon", "adaptive_only", "no_icon_no_label", "jpeg_icon",
                             "many_permissions"}) {
        Compare(OwnPackagePath(name));
    }
}

TEST(AaptComparison, EmojiLabelsAndInlineAdaptiveForeground)
{
    for (const char* name : {"emoji_label", "inset_foreground"}) Compare(OwnPackagePath(name));
}

TEST(AaptComparison, IconsDrawnFromVectorsAndReferences)
{
    for (const char* name : {"vector_only", "vector_shapes", "color_refs", "inset_bitmap"}) Compare(OwnPackagePath(name));
}

TEST(AaptComparison, PlatformResourcesWithAThirtyTwoMegabyteTable)
{
    Compare(PlatformPackagePath());
}

TEST(AaptComparison, ReferenceCycleThatAaptRejects)
{
    // aapt gives up on the cyclic versionName; the package's name still matches.
    const Badging aapt = RunAapt(OwnPackagePath("reference_cycle"));
    EXPECT_NE(0, aapt.exitCode);
    EXPECT_EQ("org.example.cycle", ValueOr(aapt, "package", ""));
}
