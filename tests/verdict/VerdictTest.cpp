// The verdict's choice, worst first, its texts and colours, and the package's side read
// from real packages and from packages with native code.
#include <gtest/gtest.h>

#include "ExpectedTexts.h"
#include "InstallVerdict.h"
#include "MemorySource.h"
#include "NativeCode.h"
#include "PackageFactsReader.h"
#include "TestData.h"
#include "VersionCode.h"
#include "ZipArchive.h"
#include "ZipBuilder.h"

namespace {

PackageFacts Package()
{
    PackageFacts p;
    p.packageName = L"com.example.demo";
    p.codeKnown = true;
    p.versionCode = 20;
    p.versionName = L"2.3.1";
    p.minSdk = 21;
    p.size = 10 * 1024 * 1024;
    return p;
}

// Android 7.1 on arm64 with version 2.2 (code 12) installed and 1 GB free.
PhoneFacts Phone()
{
    PhoneFacts f;
    f.sdk = 25;
    f.abis = {L"arm64-v8a", L"armeabi-v7a", L"armeabi"};
    f.installed.known = f.installed.installed = f.installed.codeKnown = true;
    f.installed.code = 12;
    f.installed.name = L"2.2";
    f.freeKnown = true;
    f.freeBytes = 1024ull * 1024 * 1024;
    return f;
}

std::wstring Text(const PackageFacts& p, const PhoneFacts& f)
{
    const Verdict v = ChooseVerdict(p, f);
    return VerdictText(v, ExpectedTextFor(VerdictTextId(v.kind)));
}

}  // namespace

TEST(Verdict, EachLineForThePhoneThatCallsForIt)
{
    PackageFacts p = Package();
    PhoneFacts f = Phone();
    EXPECT_EQ(L"可以安装\xFF1A将从 2.2 升级到 2.3.1", Text(p, f));

    f.installed.code = 20;
    EXPECT_EQ(VerdictKind::SameVersion, ChooseVerdict(p, f).kind);

    f.installed.code = 30;
    f.installed.name = L"3.0";
    EXPECT_EQ(L"手机上已有更高版本 3.0\xFF0C需先卸载才能安装", Text(p, f));
    // The major part counts: 1 << 32 | 5 is higher than 30.
    p.versionCode = LongVersionCode(1, 5);
    EXPECT_EQ(VerdictKind::Upgrade, ChooseVerdict(p, f).kind);

    p = Package();
    f = Phone();
    p.minSdk = 26;
    EXPECT_EQ(L"此应用需要 Android 8.0\xFF0C这台手机是 Android 7.1", Text(p, f));

    p = Package();
    p.abis = {L"x86", L"x86_64"};
    EXPECT_EQ(L"安装包没有适合这台手机处理器的代码", Text(p, f));
    p.abis = {L"x86", L"armeabi-v7a"};
    EXPECT_EQ(VerdictKind::Upgrade, ChooseVerdict(p, f).kind);

    p = Package();
    f.freeBytes = 120ull * 1024 * 1024 + 5;
    p.size = 61ull * 1024 * 1024;  // needs 122 MB
    EXPECT_EQ(L"手机空间可能不够\xFF08剩余 120 MB\xFF09", Text(p, f));
    p.size = 60ull * 1024 * 1024;
    EXPECT_EQ(VerdictKind::Upgrade, ChooseVerdict(p, f).kind);

    f = Phone();
    f.installed = InstalledVersion();
    f.installed.known = true;
    EXPECT_EQ(L"可以安装到这台手机", Text(Package(), f));
}

TEST(Verdict, WorstFirstAndSilentWhereNothingIsKnown)
{
    PackageFacts p = Package();
    p.minSdk = 28;
    p.abis = {L"x86"};
    PhoneFacts f = Phone();
    f.installed.code = 99;
    f.freeBytes = 0;
    EXPECT_EQ(VerdictKind::OldAndroid, ChooseVerdict(p, f).kind);
    p.minSdk = 1;
    EXPECT_EQ(VerdictKind::NoMatchingAbi, ChooseVerdict(p, f).kind);
    p.abis.clear();
    EXPECT_EQ(VerdictKind::NewerInstalled, ChooseVerdict(p, f).kind);
    f.installed.code = 1;
    EXPECT_EQ(VerdictKind::LowSpace, ChooseVerdict(p, f).kind);

    // A phone that answered nothing: no claim either way.
    EXPECT_EQ(VerdictKind::None, ChooseVerdict(Package(), PhoneFacts()).kind);
    EXPECT_EQ(0u, VerdictTextId(VerdictKind::None));
    // Refusals in red, the doubt in orange, good news in green.
    EXPECT_EQ(0xFFC94C42u, VerdictColour(VerdictKind::NewerInstalled));
    EXPECT_EQ(0xFFD9822Bu, VerdictColour(VerdictKind::LowSpace));
    EXPECT_EQ(0xFF5BAE2Fu, VerdictColour(VerdictKind::Upgrade));
    // A version name holding a mark is not read as one.
    EXPECT_EQ(L"a %s b", VerdictText(Verdict{VerdictKind::NewerInstalled, {L"%s"}}, L"a %s b"));
    EXPECT_EQ(L"1.5 GB", FreeSpaceText(1536ull * 1024 * 1024));
    EXPECT_EQ(L"4 KB", FreeSpaceText(4096 + 1023));
}

TEST(VersionCode, AsThePhoneComparesThem)
{
    EXPECT_EQ(0x00000001FFFFFFFFll, LongVersionCode(1, 0xFFFFFFFFu));
    std::int64_t v = 0;
    EXPECT_TRUE(ParseVersionNumber(L"-5", v));
    EXPECT_EQ(-5, v);
    EXPECT_TRUE(ParseVersionNumber(L"9223372036854775807", v));
    EXPECT_FALSE(ParseVersionNumber(L"9223372036854775808", v));
    EXPECT_FALSE(ParseVersionNumber(L"99999999999999999999999", v));
    EXPECT_FALSE(ParseVersionNumber(L"12a", v));
    EXPECT_FALSE(ParseVersionNumber(L"", v));
}

TEST(PackageFacts, NativeCodeFoldersAndARealPackage)
{
    const std::string zipBytes = CZipBuilder()
                                     .Add("lib/arm64-v8a/libmain.so", "x")
                                     .Add("lib/x86/libmain.so", "x")
                                     .Add("lib/arm64-v8a/libother.so", "x")
                                     .Add("lib/armeabi-v7a/README.txt", "x")  // no library
                                     .Add("lib/unknown/libmain.so", "x")
                                     .Add("lib/x86_64/sub/libdeep.so", "x")
                                     .Add("assets/lib/mips/libx.so", "x")
                                     .Build();
    CMemorySource source(zipBytes.data(), zipBytes.size());
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(source));
    EXPECT_EQ((std::vector<std::string>{"arm64-v8a", "x86"}), CNativeCode::Abis(zip));

    PackageFacts facts;
    ASSERT_TRUE(ReadPackageFacts(std::wstring(WidenBytes(TestDataPath("apks/ApiDemos-debug.apk"))), facts));
    EXPECT_EQ(L"io.appium.android.apis", facts.packageName);
    EXPECT_EQ(17, facts.minSdk);
    EXPECT_EQ(L"5.0.0", facts.versionName);
    EXPECT_TRUE(facts.codeKnown);
    EXPECT_EQ(25, facts.versionCode);
    EXPECT_TRUE(facts.abis.empty());
    EXPECT_EQ(6419064u, facts.size);
    EXPECT_FALSE(ReadPackageFacts(L"/nonexistent/none.apk", facts));
}
