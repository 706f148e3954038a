#include <gtest/gtest.h>

#include <set>

#include "OwnPackages.h"
#include "PermissionTexts.h"
#include "TestData.h"
#include "TextUtf.h"
#include "XmlTextReader.h"

namespace {

const char kSmall[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- comment -->
<permission-texts>
  <language code="CHS">
    <group id="sms" level="100" title="短信"/>
    <group id="net" level="40" title="网络"/>
    <permission name="android.permission.SEND_SMS" group="sms">
      <title>发送短信 &amp; 彩信</title>
      <description>会产生&#36153;用 &#x2014; 注意</description>
    </permission>
    <permission name="android.permission.INTERNET" group="net"><title>访问网络</title></permission>
  </language>
  <language code="ENU">
    <group id="sms" level="100" title="SMS"/>
    <permission name="android.permission.SEND_SMS" group="sms"><title>Send SMS</title></permission>
  </language>
</permission-texts>
)";

std::u16string U16(const char* utf8)
{
    return CTextUtf::Utf8ToUtf16(utf8);
}

}  // namespace

TEST(PermissionTexts, LoadsTheAskedLanguageWithEntities)
{
    CPermissionTexts texts;
    ASSERT_TRUE(texts.Load(kSmall, u"CHS"));
    const PermissionText* sms = texts.Find(u"android.permission.SEND_SMS");
    ASSERT_NE(nullptr, sms);
    EXPECT_EQ("发送短信 & 彩信", Narrow(sms->title));
    EXPECT_EQ("会产生费用 — 注意", Narrow(sms->description));
    ASSERT_NE(nullptr, texts.FindGroup(sms->group));
    EXPECT_EQ(100, texts.FindGroup(sms->group)->level);
    EXPECT_EQ("", Narrow(texts.Find(u"android.permission.INTERNET")->description));
    EXPECT_EQ(nullptr, texts.Find(u"android.permission.CAMERA"));

    ASSERT_TRUE(texts.Load(kSmall, u"ENU"));
    EXPECT_EQ("Send SMS", Narrow(texts.Find(u"android.permission.SEND_SMS")->title));
    EXPECT_EQ(nullptr, texts.Find(u"android.permission.INTERNET"));
}

TEST(PermissionTexts, MalformedOrMissingLanguageLoadsNothing)
{
    CPermissionTexts texts;
    ASSERT_TRUE(texts.Load(kSmall, u"CHS"));
    EXPECT_FALSE(texts.Load(kSmall, u"JPN"));
    EXPECT_TRUE(texts.Empty());
    const std::string document(kSmall);
    for (std::size_t length : {std::size_t(0), std::size_t(10), document.size() / 2, document.size() - 3}) {
        EXPECT_FALSE(texts.Load(document.substr(0, length), u"CHS")) << length;
        EXPECT_TRUE(texts.Empty());
    }
    EXPECT_FALSE(texts.Load("<permission-texts><language code=\"CHS\"><group id=\"x\" level=\"high\"/></language></permission-texts>", u"CHS"));
    EXPECT_FALSE(texts.Load("<permission-texts><language code=\"CHS\"></language>", u"CHS"));
    EXPECT_FALSE(texts.Load("<other/>", u"CHS"));
}

TEST(XmlTextReader, RejectsMismatchedTagsAndBadEntities)
{
    XmlNode root;
    EXPECT_TRUE(CXmlTextReader::Parse("<a x='1'><b/>text<!-- c --></a>", root));
    EXPECT_EQ("text", root.text);
    EXPECT_EQ("1", *root.Attribute("x"));
    EXPECT_FALSE(CXmlTextReader::Parse("<a><b></a></b>", root));
    EXPECT_FALSE(CXmlTextReader::Parse("<a>&unknown;</a>", root));
    EXPECT_FALSE(CXmlTextReader::Parse("<a>&#0;</a>", root));
    EXPECT_FALSE(CXmlTextReader::Parse("<a/><b/>", root));
    std::string deep;
    for (int i = 0; i < 100; ++i) deep += "<d>";
    EXPECT_FALSE(CXmlTextReader::Parse(deep, root));
}

TEST(ShippedLanguageFile, CoversTheRiskyPermissionsWithinTheFieldSizes)
{
    const std::string document = ReadFileBytes(SourceLanguageFilePath());
    ASSERT_FALSE(document.empty());
    XmlNode root;
    ASSERT_TRUE(CXmlTextReader::Parse(document, root));
    CPermissionTexts texts;
    ASSERT_TRUE(texts.Load(document, u"CHS"));

    std::size_t count = 0;
    std::set<std::string> seen;
    for (const XmlNode& permission : root.children.at(0).children) {
        if (permission.name != "permission") continue;
        ++count;
        const std::string name = *permission.Attribute("name");
        EXPECT_TRUE(seen.insert(name).second) << "twice: " << name;
        const PermissionText* text = texts.Find(CTextUtf::Utf8ToUtf16(name));
        ASSERT_NE(nullptr, text);
        EXPECT_FALSE(text->title.empty()) << name;
        EXPECT_FALSE(text->description.empty()) << name;
        EXPECT_LE(text->title.size(), 149u) << name;
        EXPECT_LE(text->description.size(), 249u) << name;
        EXPECT_NE(nullptr, texts.FindGroup(text->group)) << name;
    }
    EXPECT_GE(count, 100u);

    auto level = [&](const char* name) {
        const PermissionText* text = texts.Find(U16(name));
        const PermissionGroup* group = text ? texts.FindGroup(text->group) : nullptr;
        return group ? group->level : -1;
    };
    // What can cost money, expose private data or take control is listed...
    for (const char* name : {"SEND_SMS", "READ_SMS", "RECEIVE_SMS", "CALL_PHONE", "READ_CALL_LOG", "READ_CONTACTS",
                             "ACCESS_FINE_LOCATION", "ACCESS_BACKGROUND_LOCATION", "CAMERA", "RECORD_AUDIO",
                             "BODY_SENSORS", "READ_CALENDAR", "READ_EXTERNAL_STORAGE", "READ_MEDIA_IMAGES",
                             "MANAGE_EXTERNAL_STORAGE", "GET_ACCOUNTS", "READ_PHONE_STATE", "REQUEST_INSTALL_PACKAGES",
                             "SYSTEM_ALERT_WINDOW", "BIND_ACCESSIBILITY_SERVICE", "BIND_DEVICE_ADMIN",
                             "PACKAGE_USAGE_STATS", "QUERY_ALL_PACKAGES", "WRITE_SETTINGS"}) {
        EXPECT_GE(level((std::string("android.permission.") + name).c_str()), 70) << name;
    }
    // ...harmless ones are translated but not listed...
    for (const char* name : {"INTERNET", "ACCESS_NETWORK_STATE", "WAKE_LOCK", "VIBRATE", "RECEIVE_BOOT_COMPLETED",
                             "FOREGROUND_SERVICE", "POST_NOTIFICATIONS", "NFC"}) {
        const int value = level((std::string("android.permission.") + name).c_str());
        EXPECT_GE(value, 0) << name;
        EXPECT_LT(value, 70) << name;
    }
    // ...and the worst sort first.
    EXPECT_GT(level("android.permission.SEND_SMS"), level("android.permission.READ_CONTACTS"));
    EXPECT_GT(level("android.permission.BIND_ACCESSIBILITY_SERVICE"), level("android.permission.CAMERA"));
    EXPECT_GT(level("android.permission.READ_CONTACTS"), level("android.permission.READ_CALENDAR"));
}
