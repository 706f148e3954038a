#include <gtest/gtest.h>

#include "ApkParser.h"
#include "AxmlBuilder.h"
#include "CountingSource.h"
#include "FileSource.h"
#include "ManifestReader.h"
#include "OwnPackages.h"
#include "TestData.h"
#include "ZipBuilder.h"

namespace {

ApkSummary ParseFile(const std::string& path)
{
    CFileSource file;
    EXPECT_TRUE(file.Open(std::filesystem::u8path(path))) << path;
    ApkSummary summary;
    CApkParser::Parse(file, CApkParser::LocaleOf(u"CHS"), summary);
    return summary;
}

ApkSummary ParseOwn(const std::string& name)
{
    return ParseFile(OwnPackagePath(name));
}

std::string Text(const std::optional<std::u16string>& text)
{
    return text ? Narrow(*text) : std::string("<none>");
}

std::string IconEntry(const ApkSummary& summary)
{
    return summary.icon ? summary.icon->entry : std::string("<none>");
}

}  // namespace

TEST(ApkParserOwnPackages, ChineseLabelAndPngIconOfHighestDensity)
{
    const ApkSummary summary = ParseOwn("zh_label");
    ASSERT_TRUE(summary.parsed);
    EXPECT_EQ("示例笔记", Narrow(summary.AppName()));
    EXPECT_EQ("Sample Notes", Text(summary.labelDefault));
    EXPECT_EQ("1.2.0", Narrow(summary.VersionText()));
    EXPECT_EQ("Android 4.2+", Narrow(summary.SystemText()));
    EXPECT_EQ("res/mipmap-xhdpi-v4/ic_launcher.png", IconEntry(summary));
    ASSERT_TRUE(summary.icon);
    EXPECT_EQ(ImageKind::Png, summary.icon->kind);
    EXPECT_EQ(4u, summary.permissions.size());
}

TEST(ApkParserOwnPackages, RawLabelReferencedVersionNameAndWebPOnlyIcon)
{
    const ApkSummary summary = ParseOwn("raw_label");
    ASSERT_TRUE(summary.parsed);
    EXPECT_EQ("Raw Label Ünïcode", Narrow(summary.AppName()));
    EXPECT_EQ("3.1.4-beta", Narrow(summary.VersionText()));
    EXPECT_EQ("7", Text(summary.versionCode));
    EXPECT_FALSE(summary.icon) << IconEntry(summary);
    EXPECT_TRUE(summary.permissions.empty());
}

TEST(ApkParserOwnPackages, AdaptiveIconFallsBackToPngOfAnotherDensity)
{
    const ApkSummary summary = ParseOwn("adaptive_icon");
    EXPECT_EQ("res/mipmap-xxhdpi-v4/ic_launcher.png", IconEntry(summary));
    ASSERT_EQ(2u, summary.permissions.size());
    EXPECT_EQ("android.permission.RECORD_AUDIO", Narrow(summary.permissions[1]));
}

TEST(ApkParserOwnPackages, AdaptiveOnlyIconIsDrawnFromItsColourAndBitmapLayers)
{
    // Without a painter the scene is kept unpainted.
    const ApkSummary summary = ParseOwn("adaptive_only");
    EXPECT_EQ("res/mipmap-anydpi-v26/ic_launcher.xml", IconEntry(summary));
    ASSERT_TRUE(summary.icon && summary.icon->scene);
    EXPECT_EQ(IconOrigin::Drawn, summary.icon->origin);
    EXPECT_TRUE(summary.icon->bytes.empty());
    const IconScene& scene = *summary.icon->scene;
    ASSERT_EQ(2u, scene.shapes.size());
    EXPECT_EQ(0xFF3DDC84u, scene.shapes[0].fill.argb);
    ASSERT_EQ(1u, scene.bitmaps.size());
    EXPECT_EQ("res/drawable-xxhdpi-v4/ic_foreground.png", scene.bitmaps[0].entry);
}

TEST(ApkParserOwnPackages, AdaptiveIconWithInlineForegroundIsDrawnWhole)
{
    // Background PNG; foreground: a layer list of a translucent oval and an inset PNG.
    const ApkSummary summary = ParseOwn("inset_foreground");
    EXPECT_EQ("res/mipmap-anydpi-v26/ic_launcher.xml", IconEntry(summary));
    ASSERT_TRUE(summary.icon && summary.icon->scene);
    const IconScene& scene = *summary.icon->scene;
    ASSERT_EQ(3u, scene.shapes.size());
    EXPECT_EQ("res/drawable-xxhdpi-v4/ic_background.png", scene.bitmaps[std::size_t(scene.shapes[0].bitmap)].entry);
    EXPECT_EQ(0x40FFFFFFu, scene.shapes[1].fill.argb);
    EXPECT_EQ("res/drawable-xxhdpi-v4/ic_foreground.png", scene.bitmaps[std::size_t(scene.shapes[2].bitmap)].entry);
    // 18% of the 105-pixel layer in from each side of the layer (-17.5 to 87.5).
    EXPECT_NEAR(-17.5f + 0.18f * 105, scene.shapes[2].bitmapRect.left, 0.01f);
    EXPECT_NEAR(87.5f - 0.18f * 105, scene.shapes[2].bitmapRect.bottom, 0.01f);
}

TEST(ApkParserOwnPackages, CharactersBeyondTheBasicPlaneFromAapt2Utf8Pool)
{
    const ApkSummary summary = ParseOwn("emoji_label");
    EXPECT_EQ("游戏😀𠀀", Text(summary.labelDefault));
    std::string chinese;
    for (int i = 0; i < 50; ++i) chinese += "游戏";
    EXPECT_EQ(chinese + "😀𠀀", Narrow(summary.AppName()));
}

TEST(ApkParserOwnPackages, NoLabelShowsPackageNameAndNoVersionNameShowsCode)
{
    const ApkSummary summary = ParseOwn("no_icon_no_label");
    ASSERT_TRUE(summary.parsed);
    EXPECT_EQ("org.example.bare", Narrow(summary.AppName()));
    EXPECT_FALSE(summary.labelDefault);
    EXPECT_EQ("3", Narrow(summary.VersionText()));
    EXPECT_EQ(1, summary.minSdk);
    EXPECT_EQ("Android 1.0+", Narrow(summary.SystemText()));
    EXPECT_FALSE(summary.icon);
}

TEST(ApkParserOwnPackages, JpegIconAndCodenameMinSdk)
{
    const ApkSummary summary = ParseOwn("jpeg_icon");
    ASSERT_TRUE(summary.icon);
    EXPECT_EQ(ImageKind::Jpeg, summary.icon->kind);
    EXPECT_EQ("Android Q+", Narrow(summary.SystemText()));
}

TEST(ApkParserOwnPackages, ReferenceCycleLeavesLabelAndVersionNameOut)
{
    const ApkSummary summary = ParseOwn("reference_cycle");
    ASSERT_TRUE(summary.parsed);
    EXPECT_EQ("org.example.cycle", Narrow(summary.AppName()));
    EXPECT_EQ("1", Narrow(summary.VersionText()));
}

TEST(ApkParserSharedPackages, ReadsWhatAndroidsToolsRead)
{
    const ApkSummary demos = ParseFile(TestDataPath("apks/ApiDemos-debug.apk"));
    EXPECT_EQ("API Demos", Narrow(demos.AppName()));
    EXPECT_EQ("5.0.0", Narrow(demos.VersionText()));
    EXPECT_EQ("Android 4.2+", Narrow(demos.SystemText()));
    EXPECT_EQ("res/drawable-hdpi-v4/app_sample_code.png", IconEntry(demos));
    EXPECT_EQ(14u, demos.permissions.size());
    EXPECT_EQ(6419064u, demos.fileSize);

    const ApkSummary settings = ParseFile(TestDataPath("apks/settings_apk-debug.apk"));
    EXPECT_EQ("Appium Settings", Narrow(settings.AppName()));
    EXPECT_EQ("res/drawable-xxxhdpi-v4/ic_launcher.png", IconEntry(settings));
    EXPECT_EQ(27u, settings.permissions.size());

    const ApkSummary bare = ParseFile(TestDataPath("apks/appium-uiautomator2-server-debug-androidTest.apk"));
    ASSERT_TRUE(bare.parsed);
    EXPECT_EQ("io.appium.uiautomator2.server.test", Narrow(bare.AppName()));
    EXPECT_EQ("", Narrow(bare.VersionText()));
    EXPECT_FALSE(bare.icon);
    EXPECT_TRUE(bare.permissions.empty());
}

TEST(ApkParserMalformed, NotAPackageEmptyAndMissingManifestFail)
{
    EXPECT_FALSE(ParseBytes("").parsed);
    EXPECT_FALSE(ParseBytes("This is a text file, not a package.").parsed);
    EXPECT_FALSE(ParseBytes(CZipBuilder().Add("classes.dex", "dex").Build()).parsed);
    EXPECT_FALSE(ParseBytes(CZipBuilder().Add("AndroidManifest.xml", "<manifest/>").Build()).parsed);
}

TEST(ApkParserMalformed, SecondManifestRefusesThePackage)
{
    const std::string shown = CAxmlBuilder::Manifest(u"org.example.shown", {});
    const std::string hidden = CAxmlBuilder::Manifest(u"org.example.hidden", {u"android.permission.SEND_SMS"});
    const std::string packages[] = {
        CZipBuilder().Add("AndroidManifest.xml", shown).Add("classes.dex", "dex").Add("AndroidManifest.xml", hidden).Build(),
        CZipBuilder().Add("AndroidManifest.xml", shown).Add("AndroidManifest.xml", shown).Build(),
    };
    for (const std::string& package : packages) {
        const ApkSummary summary = ParseBytes(package);
        EXPECT_FALSE(summary.parsed);
        EXPECT_EQ(package.size(), summary.fileSize);
        EXPECT_FALSE(summary.packageName);
    }
}

TEST(ApkParserMalformed, ManifestAloneIsEnough)
{
    const std::string package = CZipBuilder().Add("AndroidManifest.xml", CAxmlBuilder::Manifest(u"org.example.alone", {u"android.permission.CAMERA"})).Build();
    const ApkSummary summary = ParseBytes(package);
    ASSERT_TRUE(summary.parsed);
    EXPECT_EQ("Built", Narrow(summary.AppName()));
    EXPECT_EQ("7.0", Narrow(summary.VersionText()));
    EXPECT_EQ("Android 5.0+", Narrow(summary.SystemText()));
}

TEST(ApkParserMalformed, DamagedResourceTableLeavesOnlyReferencesOut)
{
    CAxmlBuilder manifest;
    manifest.Start(u"manifest", {CAxmlBuilder::Text(u"package", 0, u"org.example.damaged"),
                                 CAxmlBuilder::Reference(u"versionName", 0x0101021c, 0x7f030001)});
    manifest.Start(u"application", {CAxmlBuilder::Reference(u"label", 0x01010001, 0x7f030000),
                                    CAxmlBuilder::Reference(u"icon", 0x01010002, 0x7f020000)}).End();
    manifest.End();
    const std::string package = CZipBuilder().Add("AndroidManifest.xml", manifest.Build())
                                    .Add("resources.arsc", std::string(300, '\x02'), false).Build();
    const ApkSummary summary = ParseBytes(package);
    ASSERT_TRUE(summary.parsed);
    EXPECT_EQ("org.example.damaged", Narrow(summary.AppName()));
    EXPECT_EQ("", Narrow(summary.VersionText()));
    EXPECT_FALSE(summary.icon);
}

TEST(ApkParserMalformed, ManifestThatInflatesToGigabytesFailsQuickly)
{
    CZipBuilder::Entry bomb;
    bomb.name = "AndroidManifest.xml";
    bomb.rawData = CZipBuilder::DeflateZeros(2048);
    bomb.declaredSize = 0xFFFFFFFE;
    EXPECT_FALSE(ParseBytes(CZipBuilder().Add(bomb).Build()).parsed);
}

TEST(ApkParserMalformed, ManifestWithTrailingBombIsReadUpToTheCap)
{
    // A real manifest followed by gigabytes: the cap cuts the entry and the document's
    // own size says where it ends.
    CZipBuilder::Entry entry;
    entry.name = "AndroidManifest.xml";
    entry.data = CAxmlBuilder::Manifest(u"org.example.tail", {u"android.permission.SEND_SMS"}) + std::string(20u << 20, '\0');
    entry.declaredSize = 0xFFFFFFFE;
    const ApkSummary summary = ParseBytes(CZipBuilder().Add(entry).Build());
    ASSERT_TRUE(summary.parsed);
    EXPECT_EQ(1u, summary.permissions.size());
}

TEST(ApkParserMalformed, TenThousandPermissionsAreAllKept)
{
    std::vector<std::u16string> names;
    for (int i = 0; i < 10000; ++i) {
        const std::string number = std::to_string(i);
        names.push_back(u"org.example.permission.P" + std::u16string(number.begin(), number.end()));
    }
    const std::string package = CZipBuilder().Add("AndroidManifest.xml", CAxmlBuilder::Manifest(u"org.example.many", names)).Build();
    const ApkSummary summary = ParseBytes(package);
    ASSERT_TRUE(summary.parsed);
    ASSERT_EQ(10000u, summary.permissions.size());
    EXPECT_EQ("org.example.permission.P9999", Narrow(summary.permissions.back()));
}

TEST(ApkParserMalformed, TenKilobyteNamesAreKeptUpToABound)
{
    std::vector<std::u16string> names;
    for (int i = 0; i < 1000; ++i) {
        const std::string number = std::to_string(i);
        names.push_back(std::u16string(number.begin(), number.end()) + std::u16string(10240, u'n'));
    }
    const std::string package = CZipBuilder().Add("AndroidManifest.xml", CAxmlBuilder::Manifest(u"org.example.long", names, true)).Build();
    const ApkSummary summary = ParseBytes(package);
    ASSERT_TRUE(summary.parsed);
    ASSERT_FALSE(summary.permissions.empty());
    EXPECT_LT(summary.permissions.size(), 1000u);
    std::size_t total = 0;
    for (std::size_t i = 0; i < summary.permissions.size(); ++i) {
        total += summary.permissions[i].size();
        EXPECT_EQ(names[i], summary.permissions[i]);
    }
    EXPECT_LE(total, CManifestReader::kMaxPermissionChars);
}

TEST(ApkParserMalformed, OwnPackagesCutAtManyPointsNeverCrash)
{
    for (const char* name : {"zh_label", "adaptive_icon", "many_permissions"}) {
        const std::string bytes = ReadFileBytes(OwnPackagePath(name));
        ASSERT_FALSE(bytes.empty()) << name;
        std::size_t parsed = 0;
        for (std::size_t length = 0; length < bytes.size(); length += 1 + length / 64) {
            const ApkSummary summary = ParseBytes(bytes.substr(0, length));
            if (summary.parsed) ++parsed;
        }
        // The manifest comes first: cut packages whose manifest survived still parse.
        EXPECT_GT(parsed, 0u) << name;
    }
}

TEST(ApkParserMalformed, BytesFlippedThroughoutNeverCrash)
{
    const std::string original = ReadFileBytes(OwnPackagePath("adaptive_icon"));
    for (std::size_t at = 0; at < original.size(); at += 7) {
        std::string bytes = original;
        bytes[at] = char(bytes[at] ^ 0x5A);
        ParseBytes(bytes);
    }
}

TEST(ApkParserRealPackages, PlatformResourcesReadAFewPercentOfTheirThirtyTwoMegabyteTable)
{
    CFileSource file;
    ASSERT_TRUE(file.Open(std::filesystem::u8path(PlatformPackagePath()))) << "scripts/bootstrap installs it";
    CCountingSource source(file);
    ApkSummary summary;
    ASSERT_TRUE(CApkParser::Parse(source, CApkParser::LocaleOf(u"CHS"), summary));
    EXPECT_EQ("Android 系统", Narrow(summary.AppName()));
    EXPECT_EQ("Android System", Text(summary.labelDefault));
    EXPECT_EQ("res/drawable-xxhdpi-v4/ic_launcher_android.png", IconEntry(summary));
    // The directory, the deflated manifest, the icon, and of the table the chunks' headers
    // and a few entries and strings: a few megabytes of the 43 MB package.
    EXPECT_LT(source.BytesRead(), 4u << 20);
}
