// The small pure helpers: release names, record field cuts, UTF conversion, sniffing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

TEST(ImageFormat, SizeFromEachFormatsHeader)
{
    auto size = [](std::vector<std::uint8_t> bytes) {
        std::uint32_t width = 0, height = 0;
        const bool known = CImageFormat::Size(bytes.data(), bytes.size(), width, height);
        return known ? std::to_string(width) + "x" + std::to_string(height) : std::string("unknown");
    };
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                           0, 0, 0x10, 0, 0, 1, 0, 2};
    EXPECT_EQ("4096x65538", size(png));
    EXPECT_EQ("unknown", size({png.begin(), png.end() - 1}));
    EXPECT_EQ("300x2", size({'G', 'I', 'F', '8', '9', 'a', 0x2C, 0x01, 2, 0}));
    std::vector<std::uint8_t> bmp(26);
    bmp[0] = 'B', bmp[1] = 'M', bmp[14] = 40, bmp[18] = 7, bmp[22] = 0xFB, bmp[23] = bmp[24] = bmp[25] = 0xFF;
    EXPECT_EQ("7x5", size(bmp));  // bottom-up: a negative height
    bmp[14] = 12, bmp[20] = 9;    // an old core header: 16-bit sides
    EXPECT_EQ("7x9", size(bmp));
    // JPEG: a fill byte and an application segment, then the frame header.
    const std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xC2, 0, 11, 8, 0x01, 0x20, 0x02, 0x40, 3};
    EXPECT_EQ("576x288", size(jpeg));
    EXPECT_EQ("unknown", size({jpeg.begin(), jpeg.begin() + 12}));
    EXPECT_EQ("unknown", size({0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xFF, 0x12, 0x34}));  // a length past the end
    // The RIFF header, the chunk's name and length, then the chunk's first bytes.
    auto webp = [](const std::string& chunk, const std::vector<std::uint8_t>& body) {
        const std::string head = std::string("RIFF\0\0\0\0WEBP", 12) + chunk;
        std::vector<std::uint8_t> bytes(30);
        std::copy(head.begin(), head.end(), bytes.begin());
        std::copy(body.begin(), body.end(), bytes.begin() + 20);
        return bytes;
    };
    EXPECT_EQ("432x300", size(webp("VP8X", {0, 0, 0, 0, 0xAF, 0x01, 0, 0x2B, 0x01, 0})));
    EXPECT_EQ("108x4", size(webp("VP8L", {0x2F, 0x6B, 0xC0, 0, 0})));
    EXPECT_EQ("192x192", size(webp("VP8 ", {0, 0, 0, 0x9D, 0x01, 0x2A, 0xC0, 0, 0xC0, 0})));
    EXPECT_EQ("unknown", size(webp("VP8 ", {0, 0, 0, 0x9D, 0x01, 0x2B, 0xC0, 0, 0xC0, 0})));
    EXPECT_EQ("unknown", size({0x03, 0x00, 0x08, 0x00}));
}
