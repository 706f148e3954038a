#include <gtest/gtest.h>

#include "ApkParser.h"
#include "AxmlBuilder.h"
#include "ComponentReader.h"
#include "FileSource.h"
#include "OwnPackages.h"
#include "PermissionTexts.h"
#include "TestData.h"
#include "TextUtf.h"
#include "ZipBuilder.h"

namespace {

ApkSummary ParseOwn(const std::string& name)
{
    CFileSource file;
    EXPECT_TRUE(file.Open(std::filesystem::u8path(OwnPackagePath(name)))) << name;
    ApkSummary summary;
    CApkParser::Parse(file, CApkParser::LocaleOf(u"CHS"), summary);
    return summary;
}

std::vector<std::string> Names(const std::vector<std::u16string>& names)
{
    std::vector<std::string> narrow;
    for (const std::u16string& name : names) narrow.push_back(Narrow(name));
    return narrow;
}

struct Rated {
    std::string title;
    int level = -1;
};

Rated Rate(const CPermissionTexts& texts, const std::string& name)
{
    const PermissionText* text = texts.Find(CTextUtf::Utf8ToUtf16(name));
    const PermissionGroup* group = text ? texts.FindGroup(text->group) : nullptr;
    if (!group || text->description.empty()) return {};
    return {Narrow(text->title), group->level};
}

CPermissionTexts ShippedTexts()
{
    CPermissionTexts texts;
    EXPECT_TRUE(texts.Load(ReadFileBytes(SourceLanguageFilePath()), u"CHS"));
    return texts;
}

}  // namespace

// Each package declares one kind; the shipped texts rate the high kinds at 90 or more and
// the lower-risk ones where the window still lists them, below every high one.
TEST(ComponentAccess, EachKindFromItsOwnPackageIsNamedAndRated)
{
    const CPermissionTexts texts = ShippedTexts();
    const struct {
        const char* package;
        const char* name;
        bool high;
    } kinds[] = {
        {"accessibility", "accessibility", true}, {"notification_listener", "notification-listener", true},
        {"device_admin", "device-admin", true},   {"vpn", "vpn", true},
        {"input_method", "input-method", true},   {"autofill", "autofill", true},
        {"default_sms", "default-sms", true},     {"carrier_messaging", "carrier-messaging", false},
        {"condition_provider", "condition-provider", false}, {"quick_settings_tile", "quick-settings-tile", false},
        {"wallpaper", "wallpaper", false},
    };
    for (const auto& kind : kinds) {
        const ApkSummary summary = ParseOwn(std::string("access_") + kind.package);
        const std::string name = std::string("special-access:") + kind.name;
        ASSERT_TRUE(summary.parsed) << kind.package;
        EXPECT_EQ(std::vector<std::string>{name}, Names(summary.access)) << kind.package;
        EXPECT_EQ((std::vector<std::string>{name, "android.permission.INTERNET"}), Names(summary.RecordNames()));
        const Rated rated = Rate(texts, name);
        EXPECT_FALSE(rated.title.empty()) << name;
        if (kind.high) EXPECT_GE(rated.level, 90) << name;
        else EXPECT_TRUE(rated.level >= 70 && rated.level < 90) << name << " " << rated.level;
    }
    // Where a permission of the same power has a text, the access shows that text.
    EXPECT_EQ(Rate(texts, "android.permission.BIND_ACCESSIBILITY_SERVICE").title, Rate(texts, "special-access:accessibility").title);
    EXPECT_EQ(Rate(texts, "android.permission.BIND_VPN_SERVICE").title, Rate(texts, "special-access:vpn").title);
}

// A guard by resource reference, switched-off services, the admin's meta-data, the SMS
// filter on an alias; a keyboard's permission on an activity and an autofill one on a
// provider give nothing; a uses-permission copying our names is dropped.
TEST(ComponentAccess, SeveralKindsInOddFormsWithTheSmsAndAccessibilityPair)
{
    const ApkSummary summary = ParseOwn("access_several");
    ASSERT_TRUE(summary.parsed);
    EXPECT_EQ((std::vector<std::string>{"special-access:sms-with-accessibility", "special-access:accessibility",
                                        "special-access:notification-listener", "special-access:wallpaper",
                                        "special-access:device-admin", "special-access:default-sms"}),
              Names(summary.access));
    EXPECT_EQ((std::vector<std::string>{"android.permission.INTERNET", "android.permission.READ_SMS"}),
              Names(summary.permissions));
    const Rated pair = Rate(ShippedTexts(), "special-access:sms-with-accessibility");
    EXPECT_GE(pair.level, Rate(ShippedTexts(), "android.permission.READ_SMS").level);
}

TEST(ComponentAccess, PackagesDeclaringNoneKeepTheirNames)
{
    for (const char* name : {"demo", "many_permissions", "zh_label"}) {
        const ApkSummary summary = ParseOwn(name);
        EXPECT_TRUE(summary.access.empty()) << name;
        EXPECT_EQ(Names(summary.permissions), Names(summary.RecordNames())) << name;
    }
}

TEST(ComponentAccess, BorrowedTextsNeedTheirSource)
{
    CPermissionTexts texts;
    ASSERT_TRUE(texts.Load(R"(<permission-texts><language code="CHS"><group id="g" level="97" title="G"/>
        <permission name="a" group="g"><title>A</title><description>B</description></permission>
        <permission name="x:a" group="g" text-of="a"/>
        <permission name="x:gone" group="g" text-of="missing"/>
        <permission name="x:chain" group="g" text-of="x:a"/></language></permission-texts>)", u"CHS"));
    ASSERT_NE(nullptr, texts.Find(u"x:a"));
    EXPECT_EQ("A", Narrow(texts.Find(u"x:a")->title));
    EXPECT_EQ("B", Narrow(texts.Find(u"x:a")->description));
    EXPECT_EQ(nullptr, texts.Find(u"x:gone"));
    EXPECT_EQ(nullptr, texts.Find(u"x:chain"));
}

// Three thousand services, each guarded differently: the reader keeps a bounded
// number of guards.
TEST(ComponentAccess, ManyComponentsKeepABoundedNumberOfGuards)
{
    CAxmlBuilder xml;
    xml.Start(u"manifest", {CAxmlBuilder::Text(u"package", 0, u"org.example.components")});
    xml.Start(u"application");
    for (int i = 0; i < 3000; ++i) {
        const std::string number = std::to_string(i);
        xml.Start(u"service", {CAxmlBuilder::Text(u"permission", 0x01010006, u"p" + std::u16string(number.begin(), number.end()))}).End();
    }
    xml.Start(u"service", {CAxmlBuilder::Text(u"permission", 0x01010006, u"android.permission.BIND_VPN_SERVICE")}).End();
    xml.End().End();
    const std::string manifest = xml.Build();

    CBinaryXml document;
    ASSERT_TRUE(document.Load(CByteView(reinterpret_cast<const std::uint8_t*>(manifest.data()), manifest.size())));
    ManifestInfo info;
    CComponentReader components;
    ASSERT_TRUE(CManifestReader::Read(document, info, &components));
    EXPECT_EQ(CComponentReader::kMaxGuarded, components.Components().guarded.size());
}
