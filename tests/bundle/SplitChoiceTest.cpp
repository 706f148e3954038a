#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PhoneTraitsText.h"
#include "SplitChoice.h"

namespace {

BundlePart Part(const std::string& name, const std::string& module, const std::string& config)
{
    BundlePart part;
    part.entryName = name;
    part.module = module;
    if (config.empty()) part.kind = module == "base" ? SplitKind::Base : SplitKind::Module;
    else ClassifyConfig(config, part);
    return part;
}

// A base with two ABIs, four densities, two languages and an install-time module with
// its own ABI parts.
BundleContents Sample()
{
    BundleContents bundle;
    bundle.layout = BundleLayout::PackageSet;
    bundle.parts = {Part("base", "base", ""),          Part("arm64", "base", "arm64_v8a"),
                    Part("v7a", "base", "armeabi_v7a"), Part("mdpi", "base", "mdpi"),
                    Part("hdpi", "base", "hdpi"),       Part("xhdpi", "base", "xhdpi"),
                    Part("xxhdpi", "base", "xxhdpi"),   Part("zh", "base", "zh"),
                    Part("en", "base", "en"),           Part("astc", "base", "astc"),
                    Part("camera", "camera", ""),       Part("camera-arm64", "camera", "arm64_v8a"),
                    Part("camera-v7a", "camera", "armeabi_v7a")};
    return bundle;
}

std::vector<std::string> Chosen(const BundleContents& bundle, const PhoneTraits& phone)
{
    const SplitChoice choice = ChooseSplits(bundle, phone);
    std::vector<std::string> names;
    for (std::size_t i : choice.parts) names.push_back(bundle.parts[i].entryName);
    return names;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(SplitChoice, PhonesOfDifferentAbisDensitiesAndLanguages)
{
    const BundleContents bundle = Sample();
    // A 64-bit phone with a 420 dpi screen in Chinese: xxhdpi is the nearest not below.
    EXPECT_EQ(Chosen(bundle, {{"arm64-v8a", "armeabi-v7a", "armeabi"}, 420, "zh", 29}),
              (Names{"base", "zh", "arm64", "xxhdpi", "camera", "camera-arm64"}));
    // A 32-bit phone at exactly hdpi in English.
    EXPECT_EQ(Chosen(bundle, {{"armeabi-v7a", "armeabi"}, 240, "en", 23}),
              (Names{"base", "en", "v7a", "hdpi", "camera", "camera-v7a"}));
    // Beyond the densest part: the nearest below. A language without a part: none.
    EXPECT_EQ(Chosen(bundle, {{"arm64-v8a"}, 640, "fr", 30}), (Names{"base", "arm64", "xxhdpi", "camera", "camera-arm64"}));
    // Nothing known of density or language: mdpi, and every language part.
    EXPECT_EQ(Chosen(bundle, {{"armeabi-v7a"}, 0, "", 0}), (Names{"base", "zh", "en", "v7a", "mdpi", "camera", "camera-v7a"}));
}

TEST(SplitChoice, Refusals)
{
    BundleContents bundle = Sample();
    EXPECT_EQ(ChooseSplits(bundle, {{"x86_64", "x86"}, 320, "zh", 30}).refusal, SplitRefusal::NoAbiPart);
    EXPECT_EQ(ChooseSplits(bundle, {{"arm64-v8a"}, 320, "zh", 19}).refusal, SplitRefusal::OldAndroid);
    EXPECT_TRUE(ChooseSplits(bundle, {{"arm64-v8a"}, 320, "zh", 19}).parts.empty());

    BundleContents single;
    single.parts = {Part("base", "base", "")};
    // One package alone goes to an old phone as any package does.
    EXPECT_EQ(ChooseSplits(single, {{}, 0, "", 16}).refusal, SplitRefusal::None);
    single.encrypted = true;
    EXPECT_EQ(ChooseSplits(single, {{}, 0, "", 30}).refusal, SplitRefusal::Encrypted);

    bundle.parts.erase(bundle.parts.begin());
    EXPECT_EQ(ChooseSplits(bundle, {{"arm64-v8a"}, 320, "zh", 30}).refusal, SplitRefusal::NoBase);
}

TEST(PhoneTraitsText, ReadsWhatPhonesPrint)
{
    EXPECT_EQ(ParseAbiList("arm64-v8a,armeabi-v7a,armeabi\r\n"), (Names{"arm64-v8a", "armeabi-v7a", "armeabi"}));
    EXPECT_EQ(ParseAbiList("\r\n"), Names{});
    EXPECT_EQ(ParseAbiList("x86, bad\"one,"), Names{"x86"});
    EXPECT_EQ(ParseDensity("Physical density: 480\r\nOverride density: 420\r\n"), 420);
    EXPECT_EQ(ParseDensity("Physical density: 320\n"), 320);
    EXPECT_EQ(ParseDensity("480\r\n"), 480);
    EXPECT_EQ(ParseDensity("/system/bin/sh: wm: not found\r\n"), 0);
    EXPECT_EQ(ParseLanguage("zh-Hans-CN\r\n"), "zh");
    EXPECT_EQ(ParseLanguage("EN_us"), "en");
    EXPECT_EQ(ParseLanguage("\r\n"), "");
    EXPECT_EQ(ParseLanguage("chinese"), "");
}
