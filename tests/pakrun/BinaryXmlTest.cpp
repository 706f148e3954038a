#include <gtest/gtest.h>

#include "AxmlBuilder.h"
#include "BinaryXml.h"
#include "ManifestReader.h"
#include "OwnPackages.h"

namespace {

ManifestInfo ReadManifest(const std::string& document, bool expectRoot = true)
{
    CBinaryXml xml;
    EXPECT_TRUE(xml.Load(CByteView(reinterpret_cast<const std::uint8_t*>(document.data()), document.size())));
    ManifestInfo info;
    EXPECT_EQ(expectRoot, CManifestReader::Read(xml, info));
    return info;
}

}  // namespace

TEST(BinaryXml, ReadsManifestWithUtf16AndUtf8Pools)
{
    for (bool utf8 : {false, true}) {
        const ManifestInfo info = ReadManifest(CAxmlBuilder::Manifest(u"org.example.pools", {u"android.permission.CAMERA", u"相机权限"}, utf8));
        EXPECT_EQ("org.example.pools", Narrow(info.packageName));
        EXPECT_EQ(7u, info.versionCode.value.data);
        EXPECT_EQ("7.0", Narrow(info.versionName.text));
        EXPECT_EQ(21u, info.minSdk.value.data);
        EXPECT_EQ("Built", Narrow(info.label.text));
        ASSERT_EQ(2u, info.permissions.size());
        EXPECT_EQ("相机权限", Narrow(info.permissions[1]));
    }
}

TEST(BinaryXml, FindsAttributesByResourceIdWhenNamesAreBlanked)
{
    CAxmlBuilder builder;
    builder.Start(u"manifest", {CAxmlBuilder::Text(u"package", 0, u"org.example.packed"),
                                CAxmlBuilder::Text(u"", 0x0101021c, u"2.5")});
    builder.Start(u"uses-permission", {CAxmlBuilder::Text(u"", 0x01010003, u"android.permission.SEND_SMS")}).End();
    builder.Start(u"application", {CAxmlBuilder::Reference(u"", 0x01010002, 0x7f020001),
                                   CAxmlBuilder::Text(u"", 0x01010001, u"Packed")}).End();
    builder.End();
    const ManifestInfo info = ReadManifest(builder.Build());
    EXPECT_EQ("2.5", Narrow(info.versionName.text));
    EXPECT_EQ("Packed", Narrow(info.label.text));
    EXPECT_EQ(0x7f020001u, info.icon.value.data);
    ASSERT_EQ(1u, info.permissions.size());
    EXPECT_EQ("android.permission.SEND_SMS", Narrow(info.permissions[0]));
}

TEST(BinaryXml, PermissionsInOrderEachOnceIncludingSdk23AndNested)
{
    CAxmlBuilder builder;
    builder.Start(u"manifest", {CAxmlBuilder::Text(u"package", 0, u"org.example.order")});
    builder.Start(u"uses-permission", {CAxmlBuilder::Text(u"name", 0x01010003, u"B")}).End();
    builder.Start(u"uses-permission-sdk-23", {CAxmlBuilder::Text(u"name", 0x01010003, u"A")}).End();
    builder.Start(u"uses-permission", {CAxmlBuilder::Text(u"name", 0x01010003, u"B")}).End();
    builder.Start(u"application");
    builder.Start(u"uses-permission", {CAxmlBuilder::Text(u"name", 0x01010003, u"NotAtManifestLevel")}).End();
    builder.End();
    builder.Start(u"uses-permission-sdk-m", {CAxmlBuilder::Text(u"name", 0x01010003, u"C")}).End();
    builder.End();
    const ManifestInfo info = ReadManifest(builder.Build());
    ASSERT_EQ(3u, info.permissions.size());
    EXPECT_EQ("B", Narrow(info.permissions[0]));
    EXPECT_EQ("A", Narrow(info.permissions[1]));
    EXPECT_EQ("C", Narrow(info.permissions[2]));
}

TEST(BinaryXml, RootOtherThanManifestIsNoManifest)
{
    CAxmlBuilder builder;
    builder.Start(u"adaptive-icon").End();
    ReadManifest(builder.Build(), false);
}

TEST(BinaryXml, TenThousandPermissionsAndTenKilobyteNames)
{
    std::vector<std::u16string> names;
    for (int i = 0; i < 10000; ++i) {
        const std::string number = std::to_string(i);
        names.push_back(u"org.example.permission.P" + std::u16string(number.begin(), number.end()));
    }
    names.push_back(std::u16string(10240, u'n'));
    for (bool utf8 : {false, true}) {
        const ManifestInfo info = ReadManifest(CAxmlBuilder::Manifest(u"org.example.many", names, utf8));
        ASSERT_EQ(10001u, info.permissions.size());
        EXPECT_EQ("org.example.permission.P9999", Narrow(info.permissions[9999]));
        EXPECT_EQ(10240u, info.permissions[10000].size());
    }
}

TEST(BinaryXml, StringIndexesOutOfRangeGiveNoText)
{
    std::string document = CAxmlBuilder::Manifest(u"org.example.bad", {u"android.permission.CAMERA"});
    // Point every string reference of the uses-permission element far outside the pool.
    const std::string marker("\x02\x01\x10\x00", 4);
    std::size_t at = document.find(marker);
    at = document.find(marker, at + 1);  // the second element: uses-sdk; then uses-permission
    at = document.find(marker, at + 1);
    ASSERT_NE(std::string::npos, at);
    const std::size_t attribute = at + 36;
    for (std::size_t field : {attribute + 4, attribute + 8, attribute + 16}) {
        for (int i = 0; i < 4; ++i) document[field + i] = '\x7f';
    }
    const ManifestInfo info = ReadManifest(document);
    EXPECT_EQ("org.example.bad", Narrow(info.packageName));
    EXPECT_TRUE(info.permissions.empty());
}

TEST(BinaryXml, TruncatedDocumentsKeepWhatWasRead)
{
    const std::string document = CAxmlBuilder::Manifest(u"org.example.cut", {u"P1", u"P2", u"P3"});
    std::size_t partial = 0;
    for (std::size_t length = 0; length <= document.size(); ++length) {
        CBinaryXml xml;
        if (!xml.Load(CByteView(reinterpret_cast<const std::uint8_t*>(document.data()), length))) continue;
        ManifestInfo info;
        if (!CManifestReader::Read(xml, info)) continue;
        EXPECT_LE(info.permissions.size(), 3u);
        if (length < document.size() && info.packageName == u"org.example.cut" && info.permissions.size() < 3) ++partial;
    }
    EXPECT_GT(partial, 0u);
}

TEST(BinaryXml, NotBinaryXml)
{
    CBinaryXml xml;
    const std::string text = "<?xml version=\"1.0\"?><manifest/>";
    EXPECT_FALSE(xml.Load(CByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));
    EXPECT_FALSE(xml.Load(CByteView()));
}
