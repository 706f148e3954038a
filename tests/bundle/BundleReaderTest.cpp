#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "BundlePackage.h"
#include "BundleReader.h"
#include "CraftedPackages.h"
#include "MemorySource.h"
#include "OwnPackages.h"
#include "ZipBuilder.h"
#include "ZipInflater.h"

namespace {

std::string Demo()
{
    std::ifstream in(OwnPackagePath("demo"), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Read {
    bool bundle = false;
    bool parsed = false;
    BundleContents contents;
    ApkSummary summary;
};

Read ReadBundle(const std::string& bytes)
{
    Read result;
    CMemorySource source(bytes.data(), bytes.size());
    result.parsed = CBundlePackage::Parse(source, {"zh", "CN"}, result.summary, nullptr, &result.contents);
    result.bundle = result.contents.IsBundle();
    return result;
}

std::string Kinds(const BundleContents& contents)
{
    std::string text;
    for (const BundlePart& part : contents.parts) {
        text += std::string(text.empty() ? "" : " ") + KindName(part.kind) + (part.config.empty() ? "" : ":" + part.config);
    }
    return text;
}

constexpr const char* kXapkManifest =
    R"({"xapk_version": 2, "package_name": "org.example.weatherdiary",
        "split_apks": [{"file": "org.example.weatherdiary.apk", "id": "base"},
                       {"file": "config.arm64_v8a.apk", "id": "config.arm64_v8a"},
                       {"file": "config.xxhdpi.apk", "id": "config.xxhdpi"},
                       {"file": "missing.apk", "id": "config.zh"}],
        "expansions": [{"file": "Android/obb/org.example.weatherdiary/main.231.org.example.weatherdiary.obb",
                        "install_location": "EXTERNAL_STORAGE",
                        "install_path": "Android/obb/org.example.weatherdiary/main.231.org.example.weatherdiary.obb"}]})";

}  // namespace

TEST(BundleReader, XapkShowsItsStoredBaseWithTheWholeSize)
{
    const std::string bytes = CZipBuilder()
                                  .Add("manifest.json", kXapkManifest)
                                  .Add("org.example.weatherdiary.apk", Demo(), false)
                                  .Add("config.arm64_v8a.apk", "PK-abi", false)
                                  .Add("config.xxhdpi.apk", "PK-density", false)
                                  .Add("Android/obb/org.example.weatherdiary/main.231.org.example.weatherdiary.obb",
                                       std::string(5000, 'o'), false)
                                  .Build();
    const Read read = ReadBundle(bytes);
    ASSERT_TRUE(read.parsed);
    EXPECT_EQ(read.contents.layout, BundleLayout::Xapk);
    EXPECT_EQ(Kinds(read.contents), "base abi:arm64-v8a density:xxhdpi");  // the missing part is left out
    EXPECT_EQ(read.summary.fileSize, bytes.size());
    EXPECT_EQ(Narrow(read.summary.AppName()), "\xE5\xA4\xA9\xE6\xB0\x94\xE6\x97\xA5\xE8\xAE\xB0");
    EXPECT_TRUE(read.summary.icon.has_value());
    EXPECT_EQ(read.summary.permissions.size(), 10u);
    ASSERT_EQ(read.contents.expansions.size(), 1u);
    EXPECT_EQ(read.contents.expansions[0].fileName, "main.231.org.example.weatherdiary.obb");
    EXPECT_EQ(read.contents.expansions[0].size, 5000u);
}

TEST(BundleReader, SplitSetWithADeflatedBase)
{
    const Read read = ReadBundle(CZipBuilder()
                                     .Add("toc.pb", "\x0a\x00")
                                     .Add("splits/base-master.apk", Demo(), true)
                                     .Add("splits/base-armeabi_v7a.apk", "x")
                                     .Add("splits/base-zh.apk", "x")
                                     .Add("splits/base-hdpi.apk", "x")
                                     .Add("splits/camera-master.apk", "x")
                                     .Add("splits/camera-x86_64.apk", "x")
                                     .Add("standalones/standalone-hdpi.apk", "x")
                                     .Build());
    ASSERT_TRUE(read.parsed);
    EXPECT_EQ(read.contents.layout, BundleLayout::SplitSet);
    EXPECT_EQ(Kinds(read.contents), "base abi:armeabi-v7a language:zh density:hdpi module abi:x86-64");
    EXPECT_EQ(read.contents.parts[5].module, "camera");
    EXPECT_EQ(read.summary.packageName, u"org.example.weatherdiary");
}

TEST(BundleReader, PackageSetsAndAnApkNamedBundle)
{
    // An .apkm's layout; the same reading serves a plain .apks.
    const Read apkm = ReadBundle(CZipBuilder()
                                     .Add("info.json", R"({"pname": "org.example.weatherdiary"})")
                                     .Add("base.apk", Demo(), false)
                                     .Add("split_config.arm64_v8a.apk", "x")
                                     .Add("split_config.zh.apk", "x")
                                     .Add("split_camera.apk", "x")
                                     .Add("split_camera.config.xxxhdpi.apk", "x")
                                     .Add("icon.png", "x")
                                     .Build());
    ASSERT_TRUE(apkm.parsed);
    EXPECT_EQ(apkm.contents.layout, BundleLayout::PackageSet);
    EXPECT_EQ(apkm.contents.packageName, "org.example.weatherdiary");
    EXPECT_EQ(Kinds(apkm.contents), "base abi:arm64-v8a language:zh module density:xxxhdpi");

    // A package is not a bundle, whatever it holds beside its manifest.
    const Read package = ReadBundle(Demo());
    EXPECT_TRUE(package.parsed);
    EXPECT_FALSE(package.bundle);
    EXPECT_FALSE(ReadBundle(CZipBuilder().Add("readme.txt", "x").Build()).bundle);
}

TEST(BundleReader, RefusedBundlesStillShowTheirSize)
{
    CZipBuilder::Entry locked;
    locked.name = "base.apk";
    locked.data = Demo();
    locked.deflate = false;
    locked.encrypted = true;
    const std::string encrypted = CZipBuilder().Add("info.json", "{}").Add(locked).Build();
    const Read read = ReadBundle(encrypted);
    EXPECT_TRUE(read.bundle);
    EXPECT_TRUE(read.contents.encrypted);
    EXPECT_FALSE(read.parsed);
    EXPECT_EQ(read.summary.fileSize, encrypted.size());

    // No base among the packages, and a base that is no package.
    const Read noBase = ReadBundle(CZipBuilder().Add("manifest.json", "{").Add("config.zh.apk", "x").Add("config.en.apk", "x").Build());
    EXPECT_TRUE(noBase.bundle);
    EXPECT_EQ(noBase.contents.Base(), nullptr);
    EXPECT_FALSE(noBase.parsed);
    EXPECT_FALSE(ReadBundle(CZipBuilder().Add("base.apk", "not a zip").Build()).parsed);
}

TEST(BundleReader, ABaseIsReadWithinTheOneBudgetOfTheRead)
{
    for (const CraftedPackage& package : CCraftedPackages::All()) {
        for (const bool deflated : {false, true}) {
            SCOPED_TRACE(package.name + (deflated ? " deflated" : " stored"));
            const std::string bytes = CZipBuilder().Add("info.json", "{}").Add("base.apk", package.bytes, deflated).Build();
            CMemorySource source(bytes.data(), bytes.size());
            CReadBudget budget;
            ApkSummary summary;
            EXPECT_TRUE(CBundlePackage::Parse(source, {"zh", "CN"}, summary, nullptr, nullptr, &budget));
            EXPECT_EQ(package.cutPhase, summary.cut.value_or("none"));
            EXPECT_EQ(package.cutPhase, budget.WasCut() ? CReadBudget::Name(budget.CutPhase()) : "none");
            EXPECT_EQ(u"org.example.crafted", summary.packageName.value_or(u""));
            for (const ReadPhase phase : {ReadPhase::Directory, ReadPhase::Manifest, ReadPhase::Resources,
                                          ReadPhase::Icon, ReadPhase::Decoding, ReadPhase::Drawing}) {
                EXPECT_LE(budget.Spent(phase), budget.Limit(phase)) << CReadBudget::Name(phase);
            }
            EXPECT_LE(budget.PeakHeld(), budget.Ceiling());
            EXPECT_EQ(0u, budget.Held());
            if (!deflated) continue;
            // The base inflated is counted and held, all of it or as far as the share goes.
            const double inflated = std::min(double(package.bytes.size()),
                                             budget.Limit(ReadPhase::Directory) / CZipInflater::kPerInflatedByte / 2);
            EXPECT_GE(budget.Spent(ReadPhase::Directory), inflated * CZipInflater::kPerInflatedByte);
            EXPECT_GE(double(budget.PeakHeld()), inflated);
        }
    }
}
