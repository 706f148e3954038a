#include <gtest/gtest.h>

#include "ArscBuilder.h"
#include "CountingSource.h"
#include "MemorySource.h"
#include "OwnPackages.h"
#include "ResourceResolver.h"
#include "ResourceTable.h"

namespace {

using Config = CArscBuilder::Config;
using Layout = CArscBuilder::Layout;

constexpr std::uint8_t kString = 3;
constexpr std::uint8_t kMipmap = 2;
const LocalePreference kChinese{"zh", "CN"};

struct LoadedTable {
    std::string bytes;
    CResourceTable table;
    explicit LoadedTable(const std::string& data) : bytes(data)
    {
        EXPECT_TRUE(table.Load(CByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())));
    }
};

ResValue Reference(std::uint32_t id)
{
    ResValue value;
    value.type = ResValue::kReference;
    value.data = id;
    return value;
}

std::string Label(const CResourceTable& table, const LocalePreference& locale, std::uint16_t entry = 0)
{
    std::u16string text;
    CResourceResolver(&table).Text(Reference(CArscBuilder::Id(kString, entry)), u"", locale, text);
    return Narrow(text);
}

// The answers a window needs of a table, for a few ids of two types: texts in Chinese
// and by default, and the files of the mipmap type.
std::string Answers(const CResourceTable& table)
{
    const CResourceResolver resolver(&table);
    std::string answers;
    for (std::uint16_t entry = 0; entry < 6; ++entry) {
        std::u16string text;
        answers += resolver.Text(Reference(CArscBuilder::Id(kString, entry)), u"", kChinese, text) ? Narrow(text) : "-";
        answers += resolver.DefaultText(Reference(CArscBuilder::Id(kString, entry)), u"", text) ? Narrow(text) : "-";
        std::vector<ResourceFile> files;
        resolver.Files(CArscBuilder::Id(kMipmap, entry), files);
        for (const ResourceFile& file : files) answers += file.path + ";";
        answers += "|";
    }
    return answers;
}

// The table loaded from where it lies inside a package, behind other bytes.
struct TableInPlace {
    std::string package;
    CMemorySource memory;
    CCountingSource source;
    CResourceTable table;
    bool loaded;
    explicit TableInPlace(const std::string& data, std::size_t length)
        : package("PK-other-entries-" + data), memory(package.data(), package.size()), source(memory),
          loaded(table.Load(source, 17, length))
    {
    }
};

CArscBuilder LabelsBuilder()
{
    CArscBuilder builder;
    builder.SetString(kString, 0, Config{}, u"Default");
    builder.SetString(kString, 0, Config{"zh", "TW", 0, 0}, u"繁體");
    builder.SetString(kString, 0, Config{"zh", "", 0, 0}, u"中文");
    builder.SetString(kString, 0, Config{"zh", "CN", 0, 0}, u"简体");
    builder.SetString(kString, 0, Config{"en", "", 0, 0}, u"English");
    return builder;
}

}  // namespace

TEST(ResourceTable, LabelForChineseTakesChinaThenChineseThenDefault)
{
    LoadedTable all(LabelsBuilder().Build());
    EXPECT_EQ("简体", Label(all.table, kChinese));
    EXPECT_EQ("Default", Label(all.table, LocalePreference{}));

    CArscBuilder noChina;
    noChina.SetString(kString, 0, Config{}, u"Default").SetString(kString, 0, Config{"zh", "", 0, 0}, u"中文");
    noChina.SetString(kString, 0, Config{"zh", "TW", 0, 0}, u"繁體");
    LoadedTable partial(noChina.Build());
    EXPECT_EQ("中文", Label(partial.table, kChinese));

    CArscBuilder onlyTaiwan;
    onlyTaiwan.SetString(kString, 0, Config{}, u"Default").SetString(kString, 0, Config{"zh", "TW", 0, 0}, u"繁體");
    LoadedTable fallback(onlyTaiwan.Build());
    EXPECT_EQ("Default", Label(fallback.table, kChinese));
}

TEST(ResourceTable, EveryEntryLayoutReadsTheSameValues)
{
    for (Layout layout : {Layout::Dense, Layout::Sparse, Layout::Offset16, Layout::Compact}) {
        CArscBuilder builder = LabelsBuilder();
        builder.SetString(kString, 5, Config{}, u"Fifth");
        LoadedTable loaded(builder.WithLayout(layout).Build());
        EXPECT_EQ("简体", Label(loaded.table, kChinese)) << int(layout);
        EXPECT_EQ("Fifth", Label(loaded.table, kChinese, 5)) << int(layout);
        EXPECT_EQ("", Label(loaded.table, kChinese, 3)) << int(layout);
    }
}

TEST(ResourceTable, SkipsUnknownChunksAndIgnoresReservedFields)
{
    LoadedTable loaded(LabelsBuilder().WithUnknownChunks().WithReservedFilled().WithUtf16Pool().Build());
    EXPECT_EQ("简体", Label(loaded.table, kChinese));
}

TEST(ResourceTable, ReferenceChainsAreFollowedAndCyclesEnd)
{
    CArscBuilder builder;
    builder.SetReference(kString, 0, Config{}, CArscBuilder::Id(kString, 1));
    builder.SetReference(kString, 1, Config{}, CArscBuilder::Id(kString, 2));
    builder.SetString(kString, 2, Config{}, u"End of chain");
    builder.SetReference(kString, 3, Config{}, CArscBuilder::Id(kString, 4));
    builder.SetReference(kString, 4, Config{}, CArscBuilder::Id(kString, 3));
    builder.SetReference(kString, 5, Config{}, CArscBuilder::Id(kString, 5));
    LoadedTable loaded(builder.Build());
    EXPECT_EQ("End of chain", Label(loaded.table, kChinese, 0));
    EXPECT_EQ("", Label(loaded.table, kChinese, 3));
    EXPECT_EQ("", Label(loaded.table, kChinese, 5));

    std::vector<ResourceFile> files;
    CResourceResolver(&loaded.table).Files(CArscBuilder::Id(kString, 3), files);
    EXPECT_TRUE(files.empty());
}

TEST(ResourceTable, IntegerValuesGiveDecimalText)
{
    CArscBuilder builder;
    builder.Set(kString, 0, Config{}, 0x10, 42);
    LoadedTable loaded(builder.Build());
    EXPECT_EQ("42", Label(loaded.table, kChinese));
}

TEST(ResourceTable, FilesSortHighestDensityUpToXxxhdpiFirst)
{
    CArscBuilder builder;
    builder.SetString(kMipmap, 0, Config{"", "", 160, 0}, u"res/m-mdpi/a.png");
    builder.SetString(kMipmap, 0, Config{"", "", 0xFFFE, 0}, u"res/m-anydpi/a.xml");
    builder.SetString(kMipmap, 0, Config{"", "", 640, 0}, u"res/m-xxxhdpi/a.png");
    builder.SetString(kMipmap, 0, Config{"", "", 480, 0}, u"res/m-xxhdpi/a.png");
    builder.SetString(kMipmap, 0, Config{"", "", 960, 0}, u"res/m-huge/a.png");
    builder.SetString(kMipmap, 0, Config{"", "", 640, 0x20}, u"res/m-night-xxxhdpi/a.png");
    builder.SetString(kMipmap, 0, Config{"zh", "", 640, 0}, u"res/m-zh-xxxhdpi/a.png");
    LoadedTable loaded(builder.Build());
    std::vector<ResourceFile> files;
    CResourceResolver(&loaded.table).Files(CArscBuilder::Id(kMipmap, 0), files);
    std::vector<std::string> paths;
    for (const ResourceFile& file : files) paths.push_back(file.path);
    const std::vector<std::string> expected = {"res/m-xxxhdpi/a.png", "res/m-xxhdpi/a.png", "res/m-mdpi/a.png",
                                               "res/m-huge/a.png", "res/m-anydpi/a.xml", "res/m-night-xxxhdpi/a.png",
                                               "res/m-zh-xxxhdpi/a.png"};
    EXPECT_EQ(expected, paths);
}

TEST(ResourceTable, AliasesFanningOutThroughAPaddedTableAreSearchedBriefly)
{
    // Entry 0 names four aliases, one per density, and each of those four more, 16
    // levels deep; the deepest level names files. A hundred thousand chunks pad the
    // table: of a type nothing asks for, then of the aliases' own type.
    constexpr std::uint16_t kWidth = 32;
    constexpr std::uint16_t kDepth = 16;
    const std::uint16_t densities[] = {160, 240, 320, 480};
    CArscBuilder builder;
    for (std::uint16_t level = 0; level < kDepth; ++level) {
        for (std::uint16_t i = 0; i < kWidth; ++i) {
            for (std::uint16_t c = 0; c < 4; ++c) {
                const Config config{"", "", densities[c], 0};
                const std::uint16_t entry = std::uint16_t(level * kWidth + i);
                const std::uint16_t next = std::uint16_t((level + 1) * kWidth + (i * 4 + c) % kWidth);
                const std::string path = "res/" + std::to_string(i) + "/" + std::to_string(c) + ".png";
                if (level + 1 == kDepth) builder.SetString(kMipmap, entry, config, std::u16string(path.begin(), path.end()));
                else builder.SetReference(kMipmap, entry, config, CArscBuilder::Id(kMipmap, next));
            }
        }
    }
    const std::size_t bounds[] = {CResourceResolver::kMaxFileIds * 4,
                                  CResourceResolver::kMaxFileIds * CResourceTable::kMaxChunksPerType};
    const std::uint8_t fillerTypes[] = {9, kMipmap};
    for (int i = 0; i < 2; ++i) {
        LoadedTable loaded(CArscBuilder(builder).WithFiller(fillerTypes[i], 100000).Build());
        std::vector<ResourceFile> files;
        CResourceResolver(&loaded.table).Files(CArscBuilder::Id(kMipmap, 0), files);
        EXPECT_FALSE(files.empty()) << i;
        EXPECT_LE(loaded.table.ChunksSearched(), bounds[i]) << i;
    }

    // One drawable in hundreds of configurations, each a file of its own.
    CArscBuilder wide;
    for (std::uint16_t density = 1; density <= 300; ++density) {
        const std::string path = "res/d" + std::to_string(density) + "/a.png";
        wide.SetString(kMipmap, 0, Config{"", "", density, 0}, std::u16string(path.begin(), path.end()));
    }
    LoadedTable wideTable(wide.Build());
    std::vector<ResourceFile> files;
    CResourceResolver(&wideTable.table).Files(CArscBuilder::Id(kMipmap, 0), files);
    EXPECT_EQ(CResourceResolver::kMaxFiles, files.size());
}

TEST(ResourceTable, TruncatedTablesNeverFail)
{
    const std::string table = LabelsBuilder().WithUnknownChunks().Build();
    for (std::size_t length = 0; length <= table.size(); ++length) {
        CResourceTable loaded;
        if (!loaded.Load(CByteView(reinterpret_cast<const std::uint8_t*>(table.data()), length))) continue;
        std::u16string text;
        CResourceResolver(&loaded).Text(Reference(CArscBuilder::Id(kString, 0)), u"", kChinese, text);
        EXPECT_LE(text.size(), 7u);
    }
}

TEST(ResourceTable, NoTableResolvesNothing)
{
    const CResourceResolver resolver(nullptr);
    std::u16string text;
    EXPECT_FALSE(resolver.Text(Reference(0x7f030000), u"", kChinese, text));
    ResValue inlineText;
    inlineText.type = ResValue::kString;
    EXPECT_TRUE(resolver.Text(inlineText, u"As written", kChinese, text));
    EXPECT_EQ("As written", Narrow(text));
}

TEST(ResourceTable, ReadWhereItLiesAnswersAsReadIntoMemory)
{
    CArscBuilder mixed = LabelsBuilder();
    mixed.SetString(kString, 5, Config{"", "", 0, 0x20}, u"Night");
    mixed.SetReference(kString, 4, Config{}, CArscBuilder::Id(kString, 5));
    mixed.SetString(kMipmap, 1, Config{"", "", 480, 0}, u"res/m-xxhdpi/b.png");
    mixed.SetString(kMipmap, 1, Config{"", "", 160, 0}, u"res/m-mdpi/b.png");
    mixed.SetReference(kMipmap, 2, Config{}, CArscBuilder::Id(kMipmap, 1));
    for (Layout layout : {Layout::Dense, Layout::Sparse, Layout::Offset16, Layout::Compact}) {
        for (const std::string& data : {CArscBuilder(mixed).WithLayout(layout).Build(),
                                        CArscBuilder(mixed).WithLayout(layout).WithUnknownChunks().WithUtf16Pool().Build()}) {
            LoadedTable held(data);
            TableInPlace read(data, data.size());
            ASSERT_TRUE(read.loaded);
            EXPECT_EQ(Answers(held.table), Answers(read.table)) << int(layout);
            EXPECT_EQ(held.table.ChunksSearched(), read.table.ChunksSearched());
        }
    }
    // Cut anywhere, the table read in place still answers as the cut bytes do in memory.
    const std::string data = CArscBuilder(mixed).WithUnknownChunks().Build();
    for (std::size_t length = 0; length <= data.size(); length += 3) {
        CResourceTable held;
        const bool heldLoaded = held.Load(CByteView(reinterpret_cast<const std::uint8_t*>(data.data()), length));
        TableInPlace read(data, length);
        ASSERT_EQ(heldLoaded, read.loaded) << length;
        if (heldLoaded) {
            EXPECT_EQ(Answers(held), Answers(read.table)) << length;
        }
    }
}

TEST(ResourceTable, ALabelInEightyLanguagesReadsTheHeadersAndTheLanguagesThatServe)
{
    // 500 strings in each of 83 configurations, 10 KB a type chunk.
    constexpr std::uint16_t kStrings = 500;
    std::vector<Config> configs = {Config{}, Config{"zh", "", 0, 0}, Config{"zh", "CN", 0, 0}};
    for (char first = 'a'; configs.size() < 83; ++first) {
        for (char second = 'a'; second <= 'z' && configs.size() < 83; second += 3) {
            if (first != 'z') configs.push_back(Config{std::string{first, second}, "", 0, 0});
        }
    }
    CArscBuilder builder;
    const std::uint32_t filler = builder.String(u"A string of the app, translated");
    for (const Config& config : configs) {
        builder.SetString(kString, 0, config, config.language == "zh" ? (config.region.empty() ? u"中文" : u"简体") : u"Label");
        for (std::uint16_t entry = 1; entry < kStrings; ++entry) builder.Set(kString, entry, config, 3, filler);
    }
    const std::string data = builder.Build();
    ASSERT_GT(data.size(), 800000u);

    TableInPlace read(data, data.size());
    ASSERT_TRUE(read.loaded);
    // The walk: a read at each chunk's header, a few percent of the table in all.
    EXPECT_LE(read.source.Reads(), configs.size() + 8);
    EXPECT_LE(read.source.BytesRead(), data.size() / 20);
    read.source.Reset();
    EXPECT_EQ("简体", Label(read.table, kChinese));
    EXPECT_EQ("Label", Label(read.table, LocalePreference{}));
    // The two lookups: the entry and the string of three configurations, then of one; a
    // few blocks in all.
    EXPECT_LE(read.source.Reads(), 16u);
    EXPECT_LE(read.source.BytesRead(), 16 * CPieceReader::kSmallBlock + CPieceReader::kLargeBlock);

    read.source.Reset();
    std::vector<ResourceCandidate> candidates;
    read.table.Candidates(CArscBuilder::Id(kString, 7), [](const CResourceConfig&) { return false; }, candidates);
    EXPECT_TRUE(candidates.empty());
    EXPECT_EQ(0u, read.source.Reads());
    read.table.Candidates(CArscBuilder::Id(kString, 7), candidates);
    EXPECT_EQ(configs.size(), candidates.size());
}
