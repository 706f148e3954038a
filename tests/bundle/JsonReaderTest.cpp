#include <gtest/gtest.h>

#include <string>

#include "JsonReader.h"

TEST(JsonReader, ReadsAnXapkManifest)
{
    JsonValue doc;
    ASSERT_TRUE(CJsonReader::Parse("\xEF\xBB\xBF{\"xapk_version\": 2, \"name\": \"\\u5929\\u6c14\\ud83d\\ude00\\n\","
                                   " \"split_apks\": [{\"file\": \"base.apk\", \"id\": \"base\"}, {}],"
                                   " \"ok\": true, \"none\": null, \"size\": -1.5e3}",
                                   doc));
    EXPECT_EQ(doc.MemberText("xapk_version"), "2");
    EXPECT_EQ(doc.MemberText("name"), "\xE5\xA4\xA9\xE6\xB0\x94\xF0\x9F\x98\x80\n");
    EXPECT_EQ(doc.MemberText("size"), "-1.5e3");
    EXPECT_EQ(doc.MemberText("ok"), "");  // a boolean has no text
    ASSERT_NE(doc.Member("split_apks"), nullptr);
    ASSERT_EQ(doc.Member("split_apks")->items.size(), 2u);
    EXPECT_EQ(doc.Member("split_apks")->items[0].MemberText("id"), "base");
    EXPECT_EQ(doc.Member("missing"), nullptr);
}

TEST(JsonReader, RefusesFaultsAndDeepNesting)
{
    JsonValue doc;
    for (const char* bad : {"", "{", "{\"a\":}", "[1,]", "{\"a\" 1}", "01", "\"\\x\"", "\"a\nb\"", "[1] 2", "tru",
                            "\"\\u12\"", "-", "1.", "{\"a\":1,}"}) {
        EXPECT_FALSE(CJsonReader::Parse(bad, doc)) << bad;
    }
    const std::string deep(CJsonReader::kMaxDepth + 1, '[');
    EXPECT_FALSE(CJsonReader::Parse(deep + std::string(CJsonReader::kMaxDepth + 1, ']'), doc));
    const std::string fits(CJsonReader::kMaxDepth, '[');
    EXPECT_TRUE(CJsonReader::Parse(fits + std::string(CJsonReader::kMaxDepth, ']'), doc));
    // A lone surrogate is replaced, not refused.
    ASSERT_TRUE(CJsonReader::Parse("\"\\ud800x\"", doc));
    EXPECT_EQ(doc.text, "\xEF\xBF\xBDx");
}
