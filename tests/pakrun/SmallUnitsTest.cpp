// The small pure helpers: release names, record field cuts, UTF conversion, sniffing.
#include <gtest/gtest.h>

#include "AndroidVersion.h"
#include "ImageFormat.h"
#include "OwnPackages.h"
#include "RecordFields.h"
#include "TextUtf.h"

TEST(AndroidVersion, SystemTextForKnownUnknownAndCodenames)
{
    EXPECT_EQ("Android 1.0+", Narrow(CAndroidVersion::SystemText(u"", 1)));
    EXPECT_EQ("Android 2.0.1+", Narrow(CAndroidVersion::SystemText(u"", 6)));
    EXPECT_EQ("Android 4.2+", Narrow(CAndroidVersion::SystemText(u"", 17)));
    EXPECT_EQ("Android 4.4W+", Narrow(CAndroidVersion::SystemText(u"", 20)));
    EXPECT_EQ("Android 9+", Narrow(CAndroidVersion::SystemText(u"", 28)));
    EXPECT_EQ("Android 12L+", Narrow(CAndroidVersion::SystemText(u"", 32)));
    EXPECT_EQ("Android 16+", Narrow(CAndroidVersion::SystemText(u"", 36)));
    EXPECT_EQ("API 40+", Narrow(CAndroidVersion::SystemText(u"", 40)));
    EXPECT_EQ("API 0+", Narrow(CAndroidVersion::SystemText(u"", 0)));
    EXPECT_EQ("Android Tiramisu+", Narrow(CAndroidVersion::SystemText(u"Tiramisu", 1)));
}

TEST(RecordFields, CutsToCapacityWithoutSplittingPairs)
{
    EXPECT_EQ(u"abc", CRecordFields::Fit(u"abc", 4));
    EXPECT_EQ(u"ab", CRecordFields::Fit(u"abc", 3));
    EXPECT_EQ(u"", CRecordFields::Fit(u"abc", 1));
    EXPECT_EQ(u"", CRecordFields::Fit(u"abc", 0));
    EXPECT_EQ(u"a", CRecordFields::Fit(u"a\U0001F600", 3));
    EXPECT_EQ(u"a\U0001F600", CRecordFields::Fit(u"a\U0001F600", 4));
    EXPECT_EQ(101u, CRecordFields::Fit(std::u16string(500, u'x'), CRecordFields::kAppNameChars).size());
}

TEST(TextUtf, MalformedUtf8BecomesReplacementCharacters)
{
    EXPECT_EQ(u"汉字", CTextUtf::Utf8ToUtf16("汉字"));
    EXPECT_EQ(u"\U0001F600", CTextUtf::Utf8ToUtf16("\xF0\x9F\x98\x80"));
    EXPECT_EQ(u"a\uFFFDb", CTextUtf::Utf8ToUtf16("a\xFF" "b"));
    EXPECT_EQ(u"\uFFFD", CTextUtf::Utf8ToUtf16("\xC0\xAF"));       // overlong
    EXPECT_EQ(u"\uFFFD", CTextUtf::Utf8ToUtf16("\xED\xA0\x80"));   // surrogate
    EXPECT_EQ(u"x\uFFFD", CTextUtf::Utf8ToUtf16("x\xE6\xB1"));     // cut short
    EXPECT_EQ("\xEF\xBF\xBD", CTextUtf::Utf16ToUtf8(std::u16string(1, char16_t(0xD800))));
}

TEST(TextUtf, PoolTextPairsSurrogatesWrittenAsThreeByteSequences)
{
    const char* pair = "\xED\xA0\xBD\xED\xB8\x80";  // U+1F600 as aapt2 writes it
    EXPECT_EQ(u"a\U0001F600b", CTextUtf::Utf8WithSurrogatesToUtf16(std::string("a") + pair + "b"));
    EXPECT_EQ(u"\U0001F600", CTextUtf::Utf8WithSurrogatesToUtf16("\xF0\x9F\x98\x80"));
    EXPECT_EQ(u"\uFFFDa", CTextUtf::Utf8WithSurrogatesToUtf16("\xED\xA0\xBD" "a"));              // high alone
    EXPECT_EQ(u"\uFFFD", CTextUtf::Utf8WithSurrogatesToUtf16("\xED\xA0\xBD"));                   // high at the end
    EXPECT_EQ(u"\uFFFD\uFFFD", CTextUtf::Utf8WithSurrogatesToUtf16("\xED\xB8\x80\xED\xA0\xBD"));  // low, then high
    EXPECT_EQ(u"\uFFFD\uFFFD", CTextUtf::Utf8ToUtf16(pair));
}

TEST(ImageFormat, SniffsWhatGdiPlusDecodes)
{
    const std::uint8_t png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    const std::uint8_t webp[] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'};
    const std::uint8_t xml[] = {0x03, 0x00, 0x08, 0x00};
    EXPECT_TRUE(CImageFormat::IsDecodable(CImageFormat::Sniff(png, sizeof png)));
    EXPECT_EQ(ImageKind::WebP, CImageFormat::Sniff(webp, sizeof webp));
    EXPECT_FALSE(CImageFormat::IsDecodable(ImageKind::WebP));
    EXPECT_EQ(ImageKind::BinaryXml, CImageFormat::Sniff(xml, sizeof xml));
    EXPECT_EQ(ImageKind::Unknown, CImageFormat::Sniff(png, 4));
}
