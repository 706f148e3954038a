#include <gtest/gtest.h>

#include <cstring>

#include "ChunkWriter.h"
#include "MemorySource.h"
#include "OwnPackages.h"
#include "PieceReader.h"
#include "StringPool.h"

namespace {

const std::vector<std::u16string> kStrings = {u"manifest", u"", u"uses-permission", u"Größe", u"application",
                                              u"manifes", u"A", u"ZZ", std::u16string(300, u'x')};
const char* const kAscii[] = {"manifest", "manifes", "manifestx", "", "uses-permission", "Gr", "application", "A",
                              "ZZ", "Größe"};

CByteView View(const std::string& bytes)
{
    return CByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// Equals must say exactly what comparing the decoded string with the text says.
void ExpectEqualsAsDecoded(const CStringPool& pool, std::size_t count)
{
    for (std::uint32_t index = 0; index <= count; ++index) {
        std::u16string text;
        const bool readable = pool.Get(index, text);
        for (const char* ascii : kAscii) {
            const std::u16string wide(ascii, ascii + std::strlen(ascii));
            EXPECT_EQ(readable && text == wide, pool.Equals(index, ascii)) << index << " " << ascii;
        }
    }
}

}  // namespace

TEST(StringPool, NamesComparedInPlaceAsDecodedInBothEncodings)
{
    for (bool utf8 : {true, false}) {
        const std::string chunk = CChunkWriter::StringPool(kStrings, utf8);
        CStringPool pool;
        ASSERT_TRUE(pool.Load(View(chunk), 28));
        EXPECT_TRUE(pool.Equals(0, "manifest"));
        EXPECT_TRUE(pool.Equals(1, ""));
        EXPECT_FALSE(pool.Equals(5, "manifest"));
        ExpectEqualsAsDecoded(pool, kStrings.size());
    }
}

TEST(StringPool, OverlongOrBrokenBytesNeverEqualAsciiText)
{
    std::string chunk = CChunkWriter::StringPool(kStrings, true);
    // "ZZ" becomes the overlong form of 'A', then a lone continuation byte and a letter.
    const std::size_t at = chunk.find("ZZ");
    ASSERT_NE(std::string::npos, at);
    CStringPool pool;
    for (const std::string bytes : {"\xC1\x81", "\x81Z"}) {
        chunk.replace(at, 2, bytes);
        ASSERT_TRUE(pool.Load(View(chunk), 28));
        EXPECT_FALSE(pool.Equals(7, "A"));
        EXPECT_FALSE(pool.Equals(7, "ZZ"));
        ExpectEqualsAsDecoded(pool, kStrings.size());
    }
}

TEST(StringPool, PoolReadWhereItLiesGivesTheSameStrings)
{
    for (bool utf8 : {true, false}) {
        const std::string chunk = CChunkWriter::StringPool(kStrings, utf8);
        const std::string package = "before" + chunk + "after";
        CMemorySource source(package.data(), package.size());
        CPieceReader reader(source, 6, chunk.size());
        CStringPool read;
        ASSERT_TRUE(read.Load(CByteSpan(reader, 0, chunk.size()), 28));
        CStringPool held;
        ASSERT_TRUE(held.Load(View(chunk), 28));
        for (std::uint32_t index = 0; index <= kStrings.size(); ++index) {
            std::u16string a;
            std::u16string b;
            EXPECT_EQ(held.Get(index, a), read.Get(index, b)) << index;
            EXPECT_EQ(a, b) << index;
        }
        ExpectEqualsAsDecoded(read, kStrings.size());
    }
}
