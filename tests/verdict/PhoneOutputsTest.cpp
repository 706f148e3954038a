// What phones of several Android versions print for the questions before an install, as
// adb hands it over (LF, CR LF, or CR CR LF from a pty).
#include <gtest/gtest.h>

#include "PhoneCommands.h"
#include "PhoneOutputs.h"
#include "VersionCode.h"

namespace {

const std::wstring kPackage = L"com.example.demo";

// Android 4.4: under "Hidden system packages" an older version of the same package.
const wchar_t kDumpsysKitKat[] =
    L"Activity Resolver Table:\r\r\n  Non-Data Actions:\r\r\n      android.intent.action.MAIN:\r\r\n"
    L"        41b8a0c8 com.example.demo/.MainActivity filter 41b89f40\r\r\n\r\r\n"
    L"Packages:\r\r\n  Package [com.example.demo] (41a2b3c8):\r\r\n    userId=10052 gids=[3003]\r\r\n"
    L"    pkg=Package{41a2c0e0 com.example.demo}\r\r\n    codePath=/data/app/com.example.demo-1.apk\r\r\n"
    L"    versionCode=12 targetSdk=19\r\r\n    versionName=2.2\r\r\n    flags=[ HAS_CODE ALLOW_CLEAR_USER_DATA ]\r\r\n"
    L"\r\r\nHidden system packages:\r\r\n  Package [com.example.demo] (41a0c2f0):\r\r\n    versionCode=3 targetSdk=19\r\r\n"
    L"    versionName=1.0\r\r\n";

// Android 10: versionCode followed by minSdk; a minVersionCode elsewhere that must not count.
const wchar_t kDumpsysTen[] =
    L"Packages:\n  Package [com.example.demo] (8e1c7a2):\n    userId=10153\n"
    L"    pkg=Package{2a5c0f3 com.example.demo}\n    primaryCpuAbi=arm64-v8a\n    secondaryCpuAbi=null\n"
    L"    versionCode=4294967308 minSdk=21 targetSdk=29\n    versionName=2.2 beta\n    splits=[base]\n"
    L"  Package [com.example.demo.plugin] (1f2e3d4):\n    versionCode=99 minSdk=21 targetSdk=29\n"
    L"Shared libraries:\n    minVersionCode=7\n";

}  // namespace

TEST(PackageList, OnlyTheExactNameCountsAndAnOldPmIsNotAnAnswer)
{
    InstalledVersion v = ParsePackageList(
        L"package:com.example.demo.plugin versionCode:99\r\npackage:com.example.demo versionCode:12\r\n", kPackage);
    EXPECT_TRUE(v.known && v.installed && v.codeKnown);
    EXPECT_EQ(12, v.code);

    v = ParsePackageList(L"package:com.example.demo.plugin versionCode:99\n", kPackage);
    EXPECT_TRUE(v.known);
    EXPECT_FALSE(v.installed);

    v = ParsePackageList(L"", kPackage);  // nothing matched the filter
    EXPECT_TRUE(v.known);
    EXPECT_FALSE(v.installed);

    v = ParsePackageList(L"package:com.example.demo\n", kPackage);  // pm ignored the option
    EXPECT_TRUE(v.installed);
    EXPECT_FALSE(v.codeKnown);

    v = ParsePackageList(L"Error: Unknown option: --show-versioncode\nusage: pm list packages ...\n", kPackage);
    EXPECT_FALSE(v.known);
}

TEST(DumpsysPackage, FirstBlockOfThePackageGivesCodeAndName)
{
    InstalledVersion kitkat;
    ReadDumpsysPackage(kDumpsysKitKat, kPackage, kitkat);
    EXPECT_TRUE(kitkat.known && kitkat.installed && kitkat.codeKnown);
    EXPECT_EQ(12, kitkat.code);
    EXPECT_EQ(L"2.2", kitkat.name);

    InstalledVersion ten;
    ReadDumpsysPackage(kDumpsysTen, kPackage, ten);
    EXPECT_EQ(LongVersionCode(1, 12), ten.code);  // a major part of 1
    EXPECT_EQ(L"2.2 beta", ten.name);

    // A code already known from pm stays; the name is added.
    InstalledVersion fromPm;
    fromPm.known = fromPm.installed = fromPm.codeKnown = true;
    fromPm.code = 40;
    ReadDumpsysPackage(kDumpsysKitKat, kPackage, fromPm);
    EXPECT_EQ(40, fromPm.code);
    EXPECT_EQ(L"2.2", fromPm.name);

    InstalledVersion absent;
    ReadDumpsysPackage(L"Dexopt state:\n  Unable to find package: com.example.demo\n", kPackage, absent);
    EXPECT_TRUE(absent.known);
    EXPECT_FALSE(absent.installed);

    InstalledVersion noService;
    ReadDumpsysPackage(L"Can't find service: package\n", kPackage, noService);
    EXPECT_FALSE(noService.known);
}

TEST(FreeSpace, DfOfEachGenerationAndStat)
{
    std::uint64_t bytes = 0;
    // Android 8 on (toybox): 1K blocks.
    EXPECT_TRUE(ParseDfAvailable(L"Filesystem       1K-blocks    Used Available Use% Mounted on\n"
                                 L"/dev/block/dm-2   52060804 8921452  43008280  18% /data\n",
                                 bytes));
    EXPECT_EQ(43008280ull * 1024, bytes);
    // A long device name on a line of its own.
    EXPECT_TRUE(ParseDfAvailable(L"Filesystem 1K-blocks Used Available Use% Mounted on\r\n"
                                 L"/dev/block/platform/soc/7824900.sdhci/by-name/userdata\r\n"
                                 L"            11087104 9800000   1287104  89% /data\r\n",
                                 bytes));
    EXPECT_EQ(1287104ull * 1024, bytes);
    // Android 4 to 6 (toolbox): sizes with units, the Free column.
    EXPECT_TRUE(ParseDfAvailable(L"Filesystem             Size   Used   Free   Blksize\r\r\n"
                                 L"/data                 12.9G   3.1G   120.5M   4096\r\r\n",
                                 bytes));
    EXPECT_EQ(std::uint64_t(120.5 * 1024 * 1024), bytes);
    // Android 2.
    EXPECT_TRUE(ParseDfAvailable(L"/data: 1548288K total, 1211924K used, 336364K available (block size 4096)\r\r\n",
                                 bytes));
    EXPECT_EQ(336364ull * 1024, bytes);
    EXPECT_FALSE(ParseDfAvailable(L"/system/bin/sh: df: not found\n", bytes));
    EXPECT_FALSE(ParseDfAvailable(L"Filesystem Size Used Free Blksize\n", bytes));

    EXPECT_TRUE(ParseStatAvailable(L"  File: \"/data\"\n    ID: 2c8a1b3e5d7f9012 Namelen: 255    Type: f2fs\n"
                                   L"Block Size: 4096    Fundamental block size: 512\n"
                                   L"Blocks: Total: 13015201  Free: 10752070  Available: 10700000\n"
                                   L"Inodes: Total: 3260416   Free: 3198003\n",
                                   bytes));
    EXPECT_EQ(10700000ull * 4096, bytes);
    EXPECT_FALSE(ParseStatAvailable(L"stat: unknown option -f\n", bytes));
}

TEST(DevicesLong, FirstReadyPhoneAsTheInstallChoosesIt)
{
    EXPECT_EQ(L"EMU0002", FirstReadySerial(L"* daemon started successfully\r\nList of devices attached\r\n"
                                           L"EMU0001                unauthorized usb:1-1 transport_id:1\r\n"
                                           L"EMU0002                device usb:1-2 product:bullhead model:Nexus_5X\r\n"
                                           L"EMU0003\tdevice\r\n\r\n"));
    EXPECT_EQ(L"", FirstReadySerial(L"List of devices attached\n\n"));
    EXPECT_EQ(L"", FirstReadySerial(L"EMU0001 device\n"));  // no list at all
}

TEST(AbiList, ListFirstThenTheTwoOldProperties)
{
    EXPECT_EQ((std::vector<std::wstring>{L"arm64-v8a", L"armeabi-v7a", L"armeabi"}),
              ParseAbiList(L"arm64-v8a,armeabi-v7a,armeabi\r\n", L"x86", L""));
    EXPECT_EQ((std::vector<std::wstring>{L"armeabi-v7a", L"armeabi"}),
              ParseAbiList(L"\r\r\n", L"armeabi-v7a\r\r\n", L"armeabi\r\r\n"));
    EXPECT_EQ((std::vector<std::wstring>{L"x86"}), ParseAbiList(L"", L"x86\n", L"x86\n"));
}

TEST(Launcher, ResolvedComponentAndWhatStartedIt)
{
    EXPECT_EQ(L"com.example.demo/.MainActivity",
              ParseResolvedActivity(L"priority=0 preferredOrder=0 match=0x108000 specificIndex=-1 isDefault=false\n"
                                    L"com.example.demo/.MainActivity\n",
                                    kPackage));
    EXPECT_EQ(L"", ParseResolvedActivity(L"No activity found\n", kPackage));
    EXPECT_EQ(L"", ParseResolvedActivity(L"com.other/.Main\n", kPackage));

    EXPECT_TRUE(AmStartSucceeded(L"Starting: Intent { cmp=com.example.demo/.MainActivity }\r\n"));
    EXPECT_FALSE(AmStartSucceeded(L"Starting: Intent { cmp=com.example.demo/.Gone }\r\n"
                                  L"Error type 3\r\nError: Activity class {com.example.demo/.Gone} does not exist.\r\n"));
    EXPECT_TRUE(MonkeySucceeded(L"  bash arg: -p\n  bash arg: com.example.demo\nEvents injected: 1\n"));
    EXPECT_FALSE(MonkeySucceeded(L"** No activities found to run, monkey aborted.\n"));
}

TEST(PhoneCommands, OnlyPackageManagerNamesReachTheShell)
{
    EXPECT_TRUE(IsSafePackageName(L"com.example.demo_2"));
    for (const wchar_t* bad : {L"", L"demo", L"com..demo", L".com.demo", L"com.demo.", L"com.2demo",
                               L"com.demo;reboot", L"com.demo $(id)", L"com.d\x00E9mo"}) {
        EXPECT_FALSE(IsSafePackageName(bad)) << bad;
    }
    EXPECT_TRUE(IsSafeComponent(L"com.example.demo/.Main$Inner", kPackage));
    EXPECT_FALSE(IsSafeComponent(L"com.example.demo/.Main;reboot", kPackage));
    EXPECT_FALSE(IsSafeComponent(L"com.other/.Main", kPackage));
    EXPECT_TRUE(IsCommandMissing(L"/system/bin/sh: cmd: not found\n"));
}
