// The one budget of a read: its shares and ceiling, each crafted case cut in its phase
// with the facts kept, chains as long as aapt follows, and real packages read whole.
#include <gtest/gtest.h>

#include <filesystem>

#include "ApkParser.h"
#include "ArscBuilder.h"
#include "CraftedPackages.h"
#include "FileSource.h"
#include "MemorySource.h"
#include "OwnPackages.h"
#include "ReadBudget.h"
#include "ResourceResolver.h"
#include "TestData.h"

namespace {

constexpr ReadPhase kPhases[] = {ReadPhase::Directory, ReadPhase::Manifest, ReadPhase::Resources,
                                 ReadPhase::Icon, ReadPhase::Decoding, ReadPhase::Drawing};

ApkSummary ParseWith(CByteSource& source, CReadBudget& budget)
{
    ApkSummary summary;
    EXPECT_TRUE(CApkParser::Parse(source, CApkParser::LocaleOf(u"CHS"), summary, nullptr, &budget));
    return summary;
}

void ExpectWithinBudget(const CReadBudget& budget)
{
    for (const ReadPhase phase : kPhases) EXPECT_LE(budget.Spent(phase), budget.Limit(phase)) << CReadBudget::Name(phase);
    EXPECT_LE(budget.PeakHeld(), budget.Ceiling());
    EXPECT_EQ(0u, budget.Held());
}

}  // namespace

TEST(ReadBudget, SpendsAndHoldsUpToEachShareAndNamesTheFirstPhaseCut)
{
    CReadBudget::Limits limits{};
    for (double& work : limits.work) work = 100;
    limits.memory = 1000;
    CReadBudget budget(limits);
    budget.Enter(ReadPhase::Icon);
    EXPECT_TRUE(budget.Spend(60));
    EXPECT_TRUE(budget.Spend(ReadPhase::Drawing, 100));
    EXPECT_FALSE(budget.WasCut());
    // What would pass the share is not spent.
    EXPECT_FALSE(budget.Spend(41));
    EXPECT_EQ(60, budget.Spent(ReadPhase::Icon));
    EXPECT_TRUE(budget.Spend(40));
    EXPECT_FALSE(budget.Spend(ReadPhase::Drawing, 1));
    EXPECT_TRUE(budget.WasCut());
    EXPECT_STREQ("icon", CReadBudget::Name(budget.CutPhase()));
    // Numbers that are none fit nothing.
    EXPECT_FALSE(budget.Spend(ReadPhase::Manifest, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(0, budget.Spent(ReadPhase::Manifest));

    CReadBudget memory(limits);
    memory.Enter(ReadPhase::Resources);
    {
        const CBudgetHold hold(&memory, 800);
        EXPECT_TRUE(hold.Held());
        const CBudgetHold more(&memory, 201);
        EXPECT_FALSE(more.Held());
        EXPECT_EQ(800u, memory.Held());
    }
    EXPECT_EQ(0u, memory.Held());
    EXPECT_EQ(800u, memory.PeakHeld());
    EXPECT_STREQ("resources", CReadBudget::Name(memory.CutPhase()));
}

TEST(ReadBudget, ChainsAreFollowedThroughTwentyReferencesAsAaptFollowsThem)
{
    // A label's reference, then 19 more in the table, then its text; one more is too many.
    for (const int references : {20, 21}) {
        CArscBuilder builder;
        for (int i = 0; i + 1 < references; ++i) {
            builder.SetReference(3, std::uint16_t(i), {}, CArscBuilder::Id(3, std::uint16_t(i + 1)));
        }
        builder.SetString(3, std::uint16_t(references - 1), {}, u"End of chain");
        const std::string bytes = builder.Build();
        CResourceTable table;
        ASSERT_TRUE(table.Load(CByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())));
        CReadBudget budget;
        budget.Enter(ReadPhase::Resources);
        std::u16string text;
        const ResValue label{ResValue::kReference, CArscBuilder::Id(3, 0)};
        EXPECT_EQ(references == 20, CResourceResolver(&table, &budget).DefaultText(label, u"", text)) << references;
        EXPECT_FALSE(budget.WasCut());
    }
}

TEST(ReadBudget, EveryCraftedCaseIsCutInItsPhaseAndKeepsTheFacts)
{
    for (const CraftedPackage& package : CCraftedPackages::All()) {
        SCOPED_TRACE(package.name);
        CMemorySource source(package.bytes.data(), package.bytes.size());
        CReadBudget budget;
        const ApkSummary summary = ParseWith(source, budget);
        EXPECT_EQ(package.cutPhase, summary.cut.value_or("none"));
        EXPECT_EQ(u"org.example.crafted", summary.packageName.value_or(u""));
        EXPECT_EQ(package.name == "deflated_table" ? u"org.example.crafted" : u"Crafted", summary.AppName());
        ExpectWithinBudget(budget);
    }
}

TEST(ReadBudget, RealPackagesAreReadWholeWithinTheirShares)
{
    std::vector<std::string> paths = {PlatformPackagePath()};
    for (const char* name : {"ApiDemos-debug", "settings_apk-debug", "appium-uiautomator2-server-debug-androidTest"}) {
        paths.push_back(TestDataPath(std::string("apks/") + name + ".apk"));
    }
    for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(OwnPackagePath("x")).parent_path())) {
        if (file.path().extension() == ".apk") paths.push_back(file.path().string());
    }
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        CFileSource file;
        ASSERT_TRUE(file.Open(path));
        CReadBudget budget;
        ApkSummary summary;
        CApkParser::Parse(file, CApkParser::LocaleOf(u"CHS"), summary, nullptr, &budget);
        EXPECT_FALSE(summary.cut) << *summary.cut;
        // Well within every share: a bitmap layer resampled over the whole picture takes
        // the most, half of drawing's.
        for (const ReadPhase phase : kPhases) EXPECT_LT(budget.Spent(phase), budget.Limit(phase) * 0.6) << CReadBudget::Name(phase);
        EXPECT_LT(budget.PeakHeld(), budget.Ceiling() / 2);
    }
}
