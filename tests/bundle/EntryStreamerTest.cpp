#include <gtest/gtest.h>

#include <string>

#include "EntryStreamer.h"
#include "MemorySource.h"
#include "ZipBuilder.h"

namespace {

bool StreamAll(const std::string& archive, const char* name, std::string& out, std::size_t stopAfter = std::string::npos)
{
    CMemorySource source(archive.data(), archive.size());
    CZipArchive zip;
    if (!zip.Open(source)) return false;
    const ZipEntry* entry = zip.Find(name);
    if (!entry) return false;
    out.clear();
    return CEntryStreamer::Stream(zip, source, *entry, [&](const std::uint8_t* data, std::size_t size) {
        out.append(reinterpret_cast<const char*>(data), size);
        return out.size() < stopAfter;
    });
}

}  // namespace

TEST(EntryStreamer, StoredAndDeflatedEntriesWholeAndChecked)
{
    std::string big(700 * 1024, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = char((i * 7919) >> 5);
    const std::string archive = CZipBuilder().Add("stored.obb", big, false).Add("deflated.apk", big, true).Build();
    std::string out;
    ASSERT_TRUE(StreamAll(archive, "stored.obb", out));
    EXPECT_EQ(out, big);
    ASSERT_TRUE(StreamAll(archive, "deflated.apk", out));
    EXPECT_EQ(out, big);
    // A sink that gives up (a full disk, a cancel) fails the copy.
    EXPECT_FALSE(StreamAll(archive, "stored.obb", out, 1000));
    EXPECT_FALSE(StreamAll(archive, "deflated.apk", out, 1000));
}

TEST(EntryStreamer, RefusesChangedBytesAndLyingSizes)
{
    std::string archive = CZipBuilder().Add("part.apk", std::string(5000, 'a'), false).Build();
    archive[100] = 'b';  // inside the data: the CRC no longer matches
    std::string out;
    EXPECT_FALSE(StreamAll(archive, "part.apk", out));

    CZipBuilder::Entry longer;
    longer.name = "part.apk";
    longer.data = std::string(5000, 'a');
    longer.declaredSize = 4000;  // inflates to more than it declares
    EXPECT_FALSE(StreamAll(CZipBuilder().Add(longer).Build(), "part.apk", out));
}
