// The real Pakrun.dll, loaded through its import library as the program loads it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ApkInfo.h"
#include "OwnPackages.h"
#include "ProgramDir.h"
#include "StreamBytes.h"
#include "TempDirectory.h"
#include "TestData.h"
#include "ZipBuilder.h"

namespace {

std::wstring Wide(const std::string& utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring text(length > 0 ? length - 1 : 0, L'\0');
    if (length > 1) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text.data(), length);
    return text;
}

// The record inside a larger block whose tail must stay untouched.
struct GuardedRecord {
    static constexpr unsigned char kGuard = 0xA7;
    alignas(8) unsigned char bytes[sizeof(_tagAPKINFO) + 64];

    GuardedRecord()
    {
        std::memset(bytes, kGuard, sizeof bytes);
        std::memset(bytes, 0, sizeof(_tagAPKINFO));
    }
    _tagAPKINFO* Record() { return reinterpret_cast<_tagAPKINFO*>(bytes); }
    bool TailIntact() const
    {
        for (std::size_t i = sizeof(_tagAPKINFO); i < sizeof bytes; ++i) {
            if (bytes[i] != kGuard) return false;
        }
        return true;
    }
    // A text field read by its documented byte offset.
    std::wstring TextAt(std::size_t offset) const { return reinterpret_cast<const wchar_t*>(bytes + offset); }
};

std::vector<std::wstring> Permissions(const _tagAPKINFO& info)
{
    std::vector<std::wstring> names;
    const wchar_t* name = info.pPermissions;
    for (int i = 0; name && i < info.nPermissionCount; ++i) {
        names.emplace_back(name);
        name += names.back().size() + 1;
    }
    return names;
}

void InitializeWithInstalledTexts()
{
    InitializePermission(GetProgramDirPath(L"Language.xml").c_str(), L"CHS");
}

}  // namespace

TEST(PakrunDll, RecordFieldsSitAtTheirOffsets)
{
#ifdef _WIN64
    EXPECT_EQ(560u, sizeof(_tagAPKINFO));
#else
    EXPECT_EQ(544u, sizeof(_tagAPKINFO));
#endif
    InitializeWithInstalledTexts();
    GuardedRecord guarded;
    ASSERT_NE(0, ParseApk(Wide(TestDataPath("apks/ApiDemos-debug.apk")).c_str(), guarded.Record(), 0));
    EXPECT_TRUE(guarded.TailIntact());
    unsigned int size = 0;
    std::memcpy(&size, guarded.bytes, 4);
    EXPECT_EQ(6419064u, size);
    EXPECT_EQ(L"5.0.0", guarded.TextAt(8));
    EXPECT_EQ(L"API Demos", guarded.TextAt(268));
    EXPECT_EQ(L"Android 4.2+", guarded.TextAt(472));
    const std::size_t iconOffset = sizeof(void*) == 4 ? 532 : 536;
    const std::size_t countOffset = sizeof(void*) == 4 ? 540 : 552;
    IStream* icon = nullptr;
    std::memcpy(&icon, guarded.bytes + iconOffset, sizeof icon);
    EXPECT_EQ(guarded.Record()->pIcon, icon);
    int count = 0;
    std::memcpy(&count, guarded.bytes + countOffset, sizeof count);
    EXPECT_EQ(17, count);  // 14 permissions behind 3 kinds of special access
    ReleaseApk(guarded.Record());
    EXPECT_TRUE(guarded.TailIntact());
}

TEST(PakrunDll, ParsesPackageIntoRecordAndReleasesIt)
{
    InitializeWithInstalledTexts();
    _tagAPKINFO info = {};
    ASSERT_NE(0, ParseApk(Wide(TestDataPath("apks/settings_apk-debug.apk")).c_str(), &info, 0));
    EXPECT_STREQ(L"8.0.10", info.szVersion);
    EXPECT_STREQ(L"Appium Settings", info.szAppName);
    EXPECT_STREQ(L"Android 8.0+", info.szSystem);
    const std::vector<std::wstring> names = Permissions(info);
    // Its notification listener and keyboard ahead of its 27 permissions.
    ASSERT_EQ(29u, names.size());
    EXPECT_EQ(L"special-access:notification-listener", names[0]);
    EXPECT_EQ(L"special-access:input-method", names[1]);
    EXPECT_EQ(L"android.permission.DISABLE_KEYGUARD", names[2]);
    EXPECT_EQ(L"io.appium.settings.DYNAMIC_RECEIVER_NOT_EXPORTED_PERMISSION", names.back());

    // The stream holds the PNG's own bytes and outlives the record.
    ASSERT_NE(nullptr, info.pIcon);
    IStream* icon = info.pIcon;
    icon->AddRef();
    ReleaseApk(&info);
    EXPECT_EQ(nullptr, info.pIcon);
    EXPECT_EQ(nullptr, info.pPermissions);
    EXPECT_EQ(0, info.nPermissionCount);
    ReleaseApk(&info);
    const std::string bytes = StreamBytes(icon);
    EXPECT_EQ(23633u, bytes.size());
    EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n"), bytes.substr(0, 8));
    icon->Release();
}

TEST(PakrunDll, ChineseLabelAndPackageNameForMissingLabel)
{
    InitializeWithInstalledTexts();
    _tagAPKINFO info = {};
    ASSERT_NE(0, ParseApk(Wide(OwnPackagePath("zh_label")).c_str(), &info, 0));
    EXPECT_EQ(L"\u793A\u4F8B\u7B14\u8BB0", std::wstring(info.szAppName));  // 示例笔记
    ReleaseApk(&info);

    info = {};
    ASSERT_NE(0, ParseApk(Wide(OwnPackagePath("no_icon_no_label")).c_str(), &info, 0));
    EXPECT_STREQ(L"org.example.bare", info.szAppName);
    EXPECT_STREQ(L"3", info.szVersion);
    EXPECT_STREQ(L"Android 1.0+", info.szSystem);
    EXPECT_EQ(nullptr, info.pIcon);
    ReleaseApk(&info);
}

TEST(PakrunDll, LongLabelIsCutBeforeASurrogatePair)
{
    // 100 characters, then U+1F600: the name field holds 101 with its NUL.
    InitializeWithInstalledTexts();
    _tagAPKINFO info = {};
    ASSERT_NE(0, ParseApk(Wide(OwnPackagePath("emoji_label")).c_str(), &info, 0));
    std::wstring chinese;
    for (int i = 0; i < 50; ++i) chinese += L"\u6E38\u620F";  // 游戏
    EXPECT_EQ(chinese, std::wstring(info.szAppName));
    ReleaseApk(&info);
}

TEST(PakrunDll, FilesThatAreNoPackageFailWithTheirSize)
{
    CTempDirectory directory;
    const std::wstring text = directory.File(L"notes.apk");
    ASSERT_TRUE(WriteBytesToFile(text, "not a package at all"));
    _tagAPKINFO info = {};
    EXPECT_EQ(0, ParseApk(text.c_str(), &info, 0));
    EXPECT_EQ(20u, info.nSize);
    EXPECT_STREQ(L"", info.szAppName);
    EXPECT_EQ(nullptr, info.pIcon);
    EXPECT_EQ(nullptr, info.pPermissions);
    ReleaseApk(&info);

    info = {};
    EXPECT_EQ(0, ParseApk(directory.File(L"missing.apk").c_str(), &info, 0));
    EXPECT_EQ(0u, info.nSize);
    EXPECT_EQ(0, ParseApk(nullptr, &info, 0));
    EXPECT_EQ(0, ParseApk(text.c_str(), nullptr, 0));
    ReleaseApk(nullptr);
}

TEST(PakrunDll, BundleShowsItsBaseWithTheWholeFilesSize)
{
    InitializeWithInstalledTexts();
    const std::string demo = ReadBytesFromFile(Wide(OwnPackagePath("demo")));
    ASSERT_FALSE(demo.empty());
    CTempDirectory directory;
    const std::wstring xapk = directory.File(L"\u5929\u6C14 bundle.XAPK");
    const std::string bytes = CZipBuilder()
                                  .Add("manifest.json", R"({"split_apks": [{"file": "w.apk", "id": "base"}]})")
                                  .Add("w.apk", demo, false)
                                  .Add("config.arm64_v8a.apk", "x")
                                  .Add("Android/obb/w/main.1.w.obb", std::string(100000, 'o'), false)
                                  .Build();
    ASSERT_TRUE(WriteBytesToFile(xapk, bytes));
    _tagAPKINFO info = {};
    ASSERT_NE(0, ParseApk(xapk.c_str(), &info, 0));
    EXPECT_EQ(bytes.size(), info.nSize);
    EXPECT_EQ(L"\u5929\u6C14\u65E5\u8BB0", std::wstring(info.szAppName));  // 天气日记
    EXPECT_STREQ(L"2.3.1", info.szVersion);
    EXPECT_NE(nullptr, info.pIcon);
    EXPECT_EQ(10, info.nPermissionCount);
    ReleaseApk(&info);
}

TEST(PakrunDll, TranslatesIntoBuffersOfTheGivenSizes)
{
    InitializeWithInstalledTexts();
    wchar_t title[150] = {};
    wchar_t description[250] = {};
    wchar_t group[150] = {};
    ASSERT_EQ(0, TranslatePermission(L"android.permission.SEND_SMS", title, 150, description, 250, group, 150));
    EXPECT_GT(wcslen(title), 0u);
    EXPECT_GT(wcslen(description), 0u);
    int level = 0;
    ASSERT_EQ(0, TranslatePermissionGroup(group, nullptr, 0, &level));
    EXPECT_GE(level, 70);

    wchar_t small[3];
    std::wmemset(small, L'#', 3);
    ASSERT_EQ(0, TranslatePermission(L"android.permission.SEND_SMS", small, 3, nullptr, 0, nullptr, 0));
    EXPECT_EQ(2u, wcslen(small));
    EXPECT_EQ(0, std::wcsncmp(title, small, 2));

    ASSERT_EQ(0, TranslatePermission(L"android.permission.INTERNET", title, 150, description, 250, group, 150));
    ASSERT_EQ(0, TranslatePermissionGroup(group, nullptr, 0, &level));
    EXPECT_LT(level, 70);

    EXPECT_NE(0, TranslatePermission(L"org.example.UNKNOWN", title, 150, description, 250, group, 150));
    EXPECT_NE(0, TranslatePermission(nullptr, title, 150, description, 250, group, 150));
    EXPECT_NE(0, TranslatePermissionGroup(L"no such group", nullptr, 0, &level));
}

TEST(PakrunDll, MissingOrMalformedLanguageFileMakesEveryTranslationFail)
{
    CTempDirectory directory;
    const std::wstring broken = directory.File(L"Language.xml");
    ASSERT_TRUE(WriteBytesToFile(broken, "<permission-texts><language code=\"CHS\">"));
    wchar_t title[150] = {};
    wchar_t description[250] = {};
    wchar_t group[150] = {};
    for (const std::wstring& file : {broken, directory.File(L"missing.xml")}) {
        InitializePermission(file.c_str(), L"CHS");
        EXPECT_NE(0, TranslatePermission(L"android.permission.SEND_SMS", title, 150, description, 250, group, 150));
    }
    InitializePermission(nullptr, nullptr);
    EXPECT_NE(0, TranslatePermission(L"android.permission.SEND_SMS", title, 150, description, 250, group, 150));
    InitializeWithInstalledTexts();
    EXPECT_EQ(0, TranslatePermission(L"android.permission.SEND_SMS", title, 150, description, 250, group, 150));
}
