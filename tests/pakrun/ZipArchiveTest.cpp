#include <gtest/gtest.h>

#include "CraftedPackages.h"
#include "MemorySource.h"
#include "ZipArchive.h"
#include "ZipBuilder.h"

namespace {

std::string ReadEntry(const std::string& archive, const std::string& name, ZipReadStatus expected,
                      std::size_t cap = 1u << 20)
{
    CMemorySource source(archive.data(), archive.size());
    CZipArchive zip;
    EXPECT_TRUE(zip.Open(source));
    const ZipEntry* entry = zip.Find(name);
    EXPECT_NE(nullptr, entry) << name;
    if (!entry) return std::string();
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(expected, zip.Read(*entry, cap, bytes));
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(ZipArchive, ReadsStoredAndDeflatedEntries)
{
    const std::string archive = CZipBuilder().Add("a.txt", "stored text", false).Add("dir/b.txt", std::string(5000, 'b')).Build();
    EXPECT_EQ("stored text", ReadEntry(archive, "a.txt", ZipReadStatus::Complete));
    EXPECT_EQ(std::string(5000, 'b'), ReadEntry(archive, "dir/b.txt", ZipReadStatus::Complete));
}

TEST(ZipArchive, FindsDirectoryBehindCommentThatHoldsEndSignature)
{
    const std::string archive = CZipBuilder().Add("a.txt", "x").Comment("PK\x05\x06 fake end record inside the comment").Build();
    EXPECT_EQ("x", ReadEntry(archive, "a.txt", ZipReadStatus::Complete));
}

TEST(ZipArchive, FindsDirectoryBehindLongestComment)
{
    const std::string archive = CZipBuilder().Add("a.txt", "x").Comment(std::string(65535, 'c')).Build();
    EXPECT_EQ("x", ReadEntry(archive, "a.txt", ZipReadStatus::Complete));
}

TEST(ZipArchive, ReadsZip64Records)
{
    const std::string archive = CZipBuilder().Add("a.txt", "sixty-four").Add("b.txt", "bits", false).Zip64().Build();
    EXPECT_EQ("sixty-four", ReadEntry(archive, "a.txt", ZipReadStatus::Complete));
    EXPECT_EQ("bits", ReadEntry(archive, "b.txt", ZipReadStatus::Complete));
}

TEST(ZipArchive, SixtyFiveThousandFiveHundredThirtyFiveEntriesNeedNoZip64)
{
    // The end record's count is then 0xFFFF, no ZIP64 mark by itself. The first entry
    // has a data descriptor: walking the local headers instead would stop behind it.
    CZipBuilder::Entry streamed;
    streamed.name = "streamed.txt";
    streamed.data = "sizes behind the data";
    streamed.dataDescriptor = true;
    CZipBuilder builder;
    builder.Add(streamed);
    for (int i = 2; i < 65535; ++i) builder.Add("f/" + std::to_string(i), "", false);
    const std::string archive = builder.Add("last.txt", "end").Build();
    EXPECT_EQ("sizes behind the data", ReadEntry(archive, "streamed.txt", ZipReadStatus::Complete));
    EXPECT_EQ("end", ReadEntry(archive, "last.txt", ZipReadStatus::Complete));
    CMemorySource source(archive.data(), archive.size());
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(source));
    EXPECT_TRUE(zip.HasCentralDirectory());
    EXPECT_EQ(65535u, zip.Entries().size());
}

TEST(ZipArchive, NotAZipAndEmptyFileHaveNoEntries)
{
    for (const std::string& bytes : {std::string(), std::string("just some text, no archive"), std::string(100, '\0')}) {
        CMemorySource source(bytes.data(), bytes.size());
        CZipArchive zip;
        EXPECT_FALSE(zip.Open(source));
        EXPECT_TRUE(zip.Entries().empty());
    }
}

TEST(ZipArchive, EntryLongerThanDeclaredIsCutAtDeclaredSize)
{
    CZipBuilder::Entry entry;
    entry.name = "lies.bin";
    entry.data = std::string(10000, 'z');
    entry.declaredSize = 100;
    EXPECT_EQ(std::string(100, 'z'), ReadEntry(CZipBuilder().Add(entry).Build(), "lies.bin", ZipReadStatus::Truncated));
}

TEST(ZipArchive, EntryShorterThanDeclaredIsDamagedButKept)
{
    CZipBuilder::Entry entry;
    entry.name = "short.bin";
    entry.data = "only this";
    entry.declaredSize = 1000000;
    EXPECT_EQ("only this", ReadEntry(CZipBuilder().Add(entry).Build(), "short.bin", ZipReadStatus::Damaged));
    entry.deflate = false;
    EXPECT_EQ("only this", ReadEntry(CZipBuilder().Add(entry).Build(), "short.bin", ZipReadStatus::Damaged));
}

TEST(ZipArchive, InflateBombStopsAtTheCap)
{
    CZipBuilder::Entry entry;
    entry.name = "bomb";
    entry.rawData = CZipBuilder::DeflateZeros(4096);  // 4 GiB of zeros
    entry.declaredSize = 0xFFFFFFFE;
    const std::string bytes = ReadEntry(CZipBuilder().Add(entry).Build(), "bomb", ZipReadStatus::Truncated, 4u << 20);
    EXPECT_EQ(4u << 20, bytes.size());
}

TEST(ZipArchive, CompressedSizeBeyondTheFileKeepsWhatIsThere)
{
    CZipBuilder::Entry entry;
    entry.name = "a.txt";
    entry.data = "plain";
    entry.deflate = false;
    entry.declaredCompressed = 0x7FFFFFFF;
    entry.declaredSize = 0x7FFFFFFF;
    const std::string bytes = ReadEntry(CZipBuilder().Add(entry).Build(), "a.txt", ZipReadStatus::Damaged);
    EXPECT_EQ("plain", bytes.substr(0, 5));
}

TEST(ZipArchive, LocalHeaderOffsetThatLiesFailsThatEntryOnly)
{
    CZipBuilder::Entry bad;
    bad.name = "bad.txt";
    bad.data = "x";
    bad.declaredOffset = 0x7FFFFFF0;
    const std::string archive = CZipBuilder().Add("good.txt", "fine").Add(bad).Build();
    EXPECT_EQ("fine", ReadEntry(archive, "good.txt", ZipReadStatus::Complete));
    EXPECT_EQ("", ReadEntry(archive, "bad.txt", ZipReadStatus::Failed));
}

TEST(ZipArchive, CutOffArchiveStillYieldsItsFirstEntriesFromLocalHeaders)
{
    const std::string archive = CZipBuilder().Add("first.txt", "one").Add("second.txt", std::string(3000, 's')).Build();
    const std::string cut = archive.substr(0, archive.size() - 60);
    CMemorySource source(cut.data(), cut.size());
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(source));
    EXPECT_FALSE(zip.HasCentralDirectory());
    ASSERT_NE(nullptr, zip.Find("first.txt"));
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ZipReadStatus::Complete, zip.Read(*zip.Find("first.txt"), 100, bytes));
    EXPECT_EQ("one", std::string(bytes.begin(), bytes.end()));
}

TEST(ZipArchive, CutsAtEveryPointNeverFail)
{
    const std::string archive = CZipBuilder().Add("a", std::string(2000, 'a')).Add("b", "bb", false).Comment("note").Build();
    for (std::size_t length = 0; length <= archive.size(); ++length) {
        const std::string cut = archive.substr(0, length);
        CMemorySource source(cut.data(), cut.size());
        CZipArchive zip;
        if (!zip.Open(source)) continue;
        std::vector<std::uint8_t> bytes;
        for (const ZipEntry& entry : zip.Entries()) {
            zip.Read(entry, 1u << 16, bytes);
            EXPECT_LE(bytes.size(), 2000u);
        }
    }
}

TEST(ZipArchive, StoredPlaceIsWhereReadFindsTheBytesAndJudgesThemAlike)
{
    CZipBuilder::Entry longer;
    longer.name = "longer";
    longer.data = std::string(3000, 'l');
    longer.deflate = false;
    longer.declaredSize = 100;
    CZipBuilder::Entry shorter = longer;
    shorter.name = "shorter";
    shorter.declaredSize = 100000;
    CZipBuilder::Entry beyond = longer;
    beyond.name = "beyond";
    beyond.declaredSize = beyond.declaredCompressed = 0x7FFFFFFF;
    CZipBuilder::Entry lying = longer;
    lying.name = "lying";
    lying.declaredOffset = 0x7FFFFFF0;
    const std::string archive = CZipBuilder()
                                    .Add("whole", std::string(5000, 'w'), false)
                                    .Add("empty", "", false)
                                    .Add(longer)
                                    .Add(shorter)
                                    .Add(beyond)
                                    .Add(lying)
                                    .Add("deflated", std::string(5000, 'd'))
                                    .Build();
    CMemorySource source(archive.data(), archive.size());
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(source));
    for (const char* name : {"whole", "empty", "longer", "shorter", "beyond", "lying", "deflated"}) {
        for (std::size_t cap : {std::size_t(1) << 20, std::size_t(1000)}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(cap));
            const ZipEntry* entry = zip.Find(name);
            ASSERT_NE(nullptr, entry);
            std::vector<std::uint8_t> bytes;
            const ZipReadStatus status = zip.Read(*entry, cap, bytes);
            ZipPlace place;
            if (!zip.StoredPlace(*entry, cap, place)) {
                EXPECT_TRUE(status == ZipReadStatus::Failed || entry->method != 0);
                continue;
            }
            EXPECT_EQ(status, place.status);
            ASSERT_LE(place.offset + place.size, archive.size());
            EXPECT_EQ(std::string(bytes.begin(), bytes.end()), archive.substr(std::size_t(place.offset), place.size));
        }
    }
    ZipPlace place;
    EXPECT_FALSE(zip.StoredPlace(*zip.Find("deflated"), 1u << 20, place));
    EXPECT_FALSE(zip.StoredPlace(*zip.Find("lying"), 1u << 20, place));
    ASSERT_TRUE(zip.StoredPlace(*zip.Find("longer"), 1u << 20, place));
    EXPECT_EQ(ZipReadStatus::Truncated, place.status);
    EXPECT_EQ(100u, place.size);
}

TEST(ZipArchive, EntriesFoundByNameStayWhenAllAreListed)
{
    const std::string archive =
        CZipBuilder().Add("a", "first a", false).Add("b", "bee").Add("a", "second a").Add("c/d.txt", "deep", false).Build();
    CMemorySource source(archive.data(), archive.size());
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(source));
    const ZipEntry* a = zip.Find("a");
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(2u, zip.Count("a"));
    EXPECT_EQ(1u, zip.Count("c/d.txt"));
    EXPECT_EQ(0u, zip.Count("c"));
    EXPECT_EQ(nullptr, zip.Find("d.txt"));
    const std::vector<ZipEntry>& all = zip.Entries();
    ASSERT_EQ(4u, all.size());
    EXPECT_EQ("a", all[0].name);
    EXPECT_EQ("b", all[1].name);
    EXPECT_EQ("a", all[2].name);
    EXPECT_EQ("c/d.txt", all[3].name);
    // The entry found first is still the first of its name, read as before.
    EXPECT_EQ(a, zip.Find("a"));
    EXPECT_EQ(all[0].localHeaderOffset, a->localHeaderOffset);
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ZipReadStatus::Complete, zip.Read(*a, 100, bytes));
    EXPECT_EQ("first a", std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(ZipReadStatus::Complete, zip.Read(all[3], 100, bytes));
    EXPECT_EQ("deep", std::string(bytes.begin(), bytes.end()));
}

TEST(ZipArchive, ADirectoryLongerThanTheBudgetKeepsItsFirstRecordsAllFoundByName)
{
    const CraftedPackage package = CCraftedPackages::ManyRecords();
    CMemorySource source(package.bytes.data(), package.bytes.size());
    CReadBudget budget;
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(source, &budget));
    const std::size_t kept = std::size_t(budget.Limit(ReadPhase::Directory) / CZipArchive::kPerRecord);
    EXPECT_EQ(kept, zip.Entries().size());
    EXPECT_STREQ("directory", CReadBudget::Name(budget.CutPhase()));
    EXPECT_NE(nullptr, zip.Find("AndroidManifest.xml"));
    EXPECT_EQ(1u, zip.Count("resources.arsc"));
    // The two real entries lead; every record kept after them is found through the
    // index, none beyond the cut.
    const std::size_t fakes = kept - 2;
    for (std::size_t i = 0; i < fakes; i += 997) EXPECT_NE(nullptr, zip.Find("assets/" + std::to_string(1000000 + i))) << i;
    EXPECT_NE(nullptr, zip.Find("assets/" + std::to_string(1000000 + fakes - 1)));
    EXPECT_EQ(nullptr, zip.Find("assets/" + std::to_string(1000000 + fakes)));
    EXPECT_EQ(nullptr, zip.Find("res/missing-0.png"));
}
