#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <vector>

#include "CurrentInstallErrors.h"
#include "ExpectedTexts.h"
#include "InstallErrorTable.h"
#include "TestData.h"

namespace {

const InstallErrorTable& Complete()
{
    static const InstallErrorTable table = BuildCompleteInstallErrorTable(ExpectedTextFor);
    return table;
}

std::wstring MessageFor(const std::wstring& output) { return GetInstallErrorMessage(Complete(), output); }

const std::wstring kCopy = L"C:\\Users\\me\\AppData\\Local\\Temp\\4712.apk";

// How current adb prints a failed streamed install: its own line, then stdout's note.
std::wstring Streamed(const std::wstring& reason)
{
    return L"adb: failed to install " + kCopy + L": " + reason + L"\nPerforming Streamed Install\n";
}

// How an older phone answers a push install: the push, then the package manager's line.
std::wstring Pushed(const std::wstring& reason)
{
    return L"Performing Push Install\n" + kCopy + L": 1 file pushed, 0 skipped. 6.2 MB/s (6419064 bytes in 0.990s)\n"
           L"\tpkg: /data/local/tmp/4712.apk\r\n" + reason + L"\r\n";
}

// The new codes, their public numbers (0: none) and the text each must give.
const struct {
    const wchar_t* code;
    int number;
    unsigned id;
} kNewCodes[] = {
    {L"INSTALL_FAILED_USER_RESTRICTED", -111, 550},
    {L"INSTALL_FAILED_ABORTED", -115, 551},
    {L"INSTALL_CANCELED_BY_USER", 0, 551},
    {L"INSTALL_FAILED_VERSION_DOWNGRADE", -25, 552},
    {L"INSTALL_FAILED_PERMISSION_MODEL_DOWNGRADE", -26, 552},
    {L"INSTALL_FAILED_SANDBOX_VERSION_DOWNGRADE", -27, 552},
    {L"INSTALL_FAILED_NO_MATCHING_ABIS", -113, 553},
    {L"INSTALL_FAILED_DEPRECATED_SDK_VERSION", -29, 554},
    {L"INSTALL_FAILED_MISSING_SPLIT", -28, 555},
    {L"INSTALL_PARSE_FAILED_RESOURCES_ARSC_COMPRESSED", -124, 556},
    {L"INSTALL_FAILED_VERIFICATION_FAILURE", -22, 557},
    {L"INSTALL_FAILED_VERIFICATION_TIMEOUT", -21, 557},
    {L"INSTALL_FAILED_INVALID_INSTALL_LOCATION", -19, 558},
    {L"INSTALL_FAILED_MEDIA_UNAVAILABLE", -20, 558},
    {L"INSTALL_FAILED_DUPLICATE_PERMISSION", -112, 559},
    {L"INSTALL_FAILED_BAD_SIGNATURE", -118, 560},
    {L"INSTALL_FAILED_SESSION_INVALID", -116, 561},
    {L"INSTALL_FAILED_INTERNAL_ERROR", -110, 562},
    {L"INSTALL_FAILED_OTHER_STAGED_SESSION_IN_PROGRESS", -119, 563},
};

std::wstring Number(int number) { return L"Failure [" + std::to_wstring(number) + L"]"; }

}  // namespace

TEST(CurrentInstallErrors, EveryNewCodeInEveryFormGivesItsText)
{
    ASSERT_EQ(kCurrentInstallErrorRowCount, sizeof(kNewCodes) / sizeof(kNewCodes[0]));
    for (const auto& c : kNewCodes) {
        const std::wstring code = c.code;
        const std::wstring text = ExpectedTextFor(c.id);
        ASSERT_FALSE(text.empty()) << c.id;
        EXPECT_EQ(text, MessageFor(Streamed(L"Failure [" + code + L": some detail]"))) << code;
        EXPECT_EQ(text, MessageFor(Pushed(L"Failure [" + code + L"]"))) << code;
        if (c.number == 0) continue;
        EXPECT_EQ(text, MessageFor(Streamed(Number(c.number)))) << c.number;
        EXPECT_EQ(text, MessageFor(Pushed(Number(c.number)))) << c.number;
        EXPECT_EQ(text, MessageFor(Pushed(L"Failure [" + std::to_wstring(c.number) + L": detail]"))) << c.number;
    }
}

TEST(CurrentInstallErrors, NumbersOfTheFirstTablesCodesGiveTheirTexts)
{
    const std::map<int, unsigned> numbers = {
        {-1, 120},   {-2, 102},   {-3, 103},   {-4, 113},   {-5, 117},   {-6, 114},   {-7, 108},
        {-8, 125},   {-9, 106},   {-10, 126},  {-11, 119},  {-12, 105},  {-13, 111},  {-14, 121},
        {-15, 138},  {-16, 124},  {-17, 109},  {-100, 127}, {-101, 116}, {-102, 130}, {-103, 123},
        {-104, 115}, {-105, 112}, {-106, 107}, {-107, 129}, {-108, 104}, {-109, 122},
    };
    for (const auto& [number, id] : numbers) {
        EXPECT_EQ(ExpectedTextFor(id), MessageFor(Streamed(Number(number)))) << number;
    }
    EXPECT_EQ(numbers.size() + 18, kInstallErrorNumberCount);
}

TEST(CurrentInstallErrors, FirstTableStillDecidesFirst)
{
    for (const InstallErrorRow& row : kInstallErrorRows) {
        EXPECT_EQ(ExpectedTextFor(row.messageId), MessageFor(Pushed(L"Failure [" + std::wstring(row.key) + L"]")));
    }
    // A new code and an old one on one line: the old one's text.
    EXPECT_EQ(ExpectedTextFor(120), MessageFor(L"Failure [INSTALL_FAILED_VERSION_DOWNGRADE] INSTALL_FAILED_ALREADY_EXISTS"));
    EXPECT_EQ(ExpectedTextFor(105), MessageFor(Streamed(L"Failure [INSTALL_FAILED_OLDER_SDK: INSTALL_FAILED_ABORTED]")));
    // A name before a number, a code before adb's complaints.
    EXPECT_EQ(ExpectedTextFor(550), MessageFor(L"Failure [-1]\nFailure [INSTALL_FAILED_USER_RESTRICTED]"));
    EXPECT_EQ(ExpectedTextFor(557), MessageFor(L"error: device offline\nINSTALL_FAILED_VERIFICATION_TIMEOUT"));
}

TEST(CurrentInstallErrors, EveryCaptureKeepsItsTextOrGetsABetterOne)
{
    const InstallErrorTable rowsOnly = BuildInstallErrorTable(ExpectedTextFor);
    // The captures of install commands that the rows left unexplained and that now say why.
    const std::map<std::string, unsigned> better = {
        {"empty__install_r.txt", 565}, {"empty__install_r_f.txt", 565}, {"empty__install_r_s.txt", 565},
        {"install_by_flag_legacy__install_r_s.txt", 558},
        {"install_empty_reply_modern__install_r.txt", 564}, {"install_empty_reply_modern__install_r_f.txt", 564},
        {"install_empty_reply_modern__install_r_s.txt", 564},
        {"no_server__install_r.txt", 565}, {"no_server__install_r_f.txt", 565}, {"no_server__install_r_s.txt", 565},
        {"no_server_install_first__install_r.txt", 565},
        {"not_found__install_r.txt", 565}, {"not_found__install_r_f.txt", 565}, {"not_found__install_r_s.txt", 565},
        {"offline__install_r.txt", 565}, {"offline__install_r_f.txt", 565}, {"offline__install_r_s.txt", 565},
        {"version_mismatch__install_r.txt", 565}, {"version_mismatch__install_r_f.txt", 565},
        {"version_mismatch__install_r_s.txt", 565},
    };
    std::size_t installCaptures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TestDataPath("adb"))) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".txt") continue;
        const std::wstring output = WidenBytes(ReadTestData("adb/" + name));
        const std::wstring before = GetInstallErrorMessage(rowsOnly, output);
        if (before != ExpectedTextFor(110)) {
            EXPECT_EQ(before, MessageFor(output)) << name;
        }
        if (name.find("__install_r") == std::string::npos) continue;
        ++installCaptures;
        const auto found = better.find(name);
        EXPECT_EQ(found != better.end() ? ExpectedTextFor(found->second) : before, MessageFor(output)) << name;
    }
    EXPECT_GE(installCaptures, 85u);
}

TEST(CurrentInstallErrors, NoKeyOccursInsideAnother)
{
    std::vector<std::wstring> keys;
    for (const InstallErrorRow& row : kInstallErrorRows) keys.push_back(row.key);
    for (const CurrentInstallErrorRow& row : kCurrentInstallErrorRows) keys.push_back(row.key);
    for (const std::wstring& inner : keys) {
        for (const std::wstring& outer : keys) {
            if (&inner == &outer) continue;
            EXPECT_EQ(std::wstring::npos, outer.find(inner)) << inner << " in " << outer;
        }
    }
    EXPECT_EQ(keys.size(), std::set<std::wstring>(keys.begin(), keys.end()).size());
}

TEST(CurrentInstallErrors, EveryNumberNamesAKnownCodeOnce)
{
    std::set<int> seen;
    for (const InstallErrorNumber& entry : kInstallErrorNumbers) {
        EXPECT_TRUE(seen.insert(entry.number).second) << entry.number;
        const bool known = Complete().count(entry.key) == 1 || Complete().current.codes.count(entry.key) == 1;
        EXPECT_TRUE(known) << entry.key;
    }
}

TEST(CurrentInstallErrors, NumbersOnlyInTheirOwnForm)
{
    const std::wstring unknown = ExpectedTextFor(110);
    for (const wchar_t* output : {L"Failure [-25x]", L"Failure [-25", L"Failure [25]", L"Failure [-]", L"Failure [- 25]",
                                  L"Failure [-18]", L"Failure [-9999999999999]", L"failure [-25]", L"Failure [+25]",
                                  L"Failure [-0025 ]"}) {
        EXPECT_EQ(unknown, MessageFor(output)) << output;
    }
    EXPECT_EQ(ExpectedTextFor(106), MessageFor(L"Failure [-9] Failure [-25]")) << "the first known number wins";
    EXPECT_EQ(ExpectedTextFor(552), MessageFor(L"Failure [-18] Failure [-25]")) << "an unknown number is passed over";
}

TEST(CurrentInstallErrors, PhoneThatWentAwayDuringTheInstall)
{
    const std::wstring gone = ExpectedTextFor(565);
    EXPECT_EQ(gone, MessageFor(L"error: device 'HT123ABC' not found\r\n"));
    EXPECT_EQ(gone, MessageFor(L"Performing Push Install\nadb: error: failed to get feature set: device offline\n"));
    EXPECT_EQ(gone, MessageFor(L"error: device not found\n"));
    EXPECT_EQ(gone, MessageFor(Streamed(L"") + L"error: device offline\n")) << "before adb's other complaints";
    // Only adb's own lines say so: the phone's words do not.
    EXPECT_EQ(ExpectedTextFor(110), MessageFor(L"Failure [SOMETHING: device offline]\n"));
    EXPECT_EQ(ExpectedTextFor(110), MessageFor(L" error: device offline\n"));
    EXPECT_EQ(ExpectedTextFor(110), MessageFor(L"error: device 'X' unauthorized\n"));
}

TEST(CurrentInstallErrors, AdbFailuresWithoutACode)
{
    const std::wstring notReady = ExpectedTextFor(564);
    EXPECT_EQ(notReady, MessageFor(Streamed(L"cmd: Can't find service: package")));
    EXPECT_EQ(notReady, MessageFor(Pushed(L"Error: Could not access the Package Manager.  Is the system running?")));
    EXPECT_EQ(notReady, MessageFor(Streamed(L"Exception occurred while executing 'install':\n"
                                            L"java.lang.IllegalStateException: Session has been abandoned\n"
                                            L"\tat com.android.server.pm.PackageInstallerSession.assertCallerIsOwner")));
    EXPECT_EQ(notReady, MessageFor(L"adb: error: failed to write data: Broken pipe\n"));
    EXPECT_EQ(notReady, MessageFor(Streamed(L"")));
    // A code that neither table knows is not adb's complaint: still unknown.
    EXPECT_EQ(ExpectedTextFor(110), MessageFor(Streamed(L"Failure [INSTALL_FAILED_SOMETHING_NEW: detail]")));
    EXPECT_EQ(ExpectedTextFor(110), MessageFor(L"Failure [INSTALL_FAILED_UNKOWNED_ERROR]"));
    EXPECT_EQ(ExpectedTextFor(110), MessageFor(L""));
}

TEST(CurrentInstallErrors, LoadsEachTextOnce)
{
    std::multiset<unsigned> loaded;
    BuildCompleteInstallErrorTable([&](unsigned id) {
        loaded.insert(id);
        return ExpectedTextFor(id);
    });
    for (unsigned id : loaded) EXPECT_EQ(1u, loaded.count(id)) << id;
    EXPECT_EQ(35u + 16u, loaded.size());
    for (unsigned id = 550; id <= 565; ++id) EXPECT_EQ(1u, loaded.count(id)) << id;
}
