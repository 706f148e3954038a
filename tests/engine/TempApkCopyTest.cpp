#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "FileSha256.h"
#include "InstallRules.h"
#include "TempApkCopy.h"
#include "TempDirectory.h"
#include "TestData.h"

namespace {

std::wstring TempDir()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, buffer);
    return buffer;
}

// Points the temporary directory, for this process, at a private one.
struct CTempPathOverride {
    std::wstring saved = ReadTmp();
    CTempDirectory dir{L"tmp"};

    CTempPathOverride() { ::SetEnvironmentVariableW(L"TMP", dir.Path().c_str()); }
    ~CTempPathOverride() { ::SetEnvironmentVariableW(L"TMP", saved.empty() ? nullptr : saved.c_str()); }

    static std::wstring ReadTmp()
    {
        wchar_t value[MAX_PATH * 2] = {};
        ::GetEnvironmentVariableW(L"TMP", value, MAX_PATH * 2);
        return value;
    }
};

// Removes the copy when the test ends, however it ends.
struct CCopyCleanup {
    std::wstring path;
    ~CCopyCleanup()
    {
        if (!path.empty()) ::DeleteFileW(path.c_str());
    }
};

}  // namespace

TEST(MakeTempApkCopy, WholePackageUnderANumericNameInTheTempDirectory)
{
    const std::wstring package = WidenBytes(TestDataPath("apks/ApiDemos-debug.apk"));
    CCopyCleanup copy;
    ASSERT_TRUE(MakeTempApkCopy(package, nullptr, copy.path));

    const std::wstring dir = TempDir();
    ASSERT_EQ(dir, copy.path.substr(0, dir.size()));
    const std::wstring name = copy.path.substr(dir.size());
    ASSERT_GT(name.size(), 4u);
    EXPECT_EQ(L".apk", name.substr(name.size() - 4));
    EXPECT_EQ(std::wstring::npos, name.substr(0, name.size() - 4).find_first_not_of(L"-0123456789")) << name;

    unsigned long long size = 0;
    EXPECT_EQ(Sha256OfFile(package), Sha256OfFile(copy.path, &size));
    EXPECT_EQ(6419064u, size);
}

TEST(MakeTempApkCopy, NamesTakenByOtherInstallsAreSkippedAndLeftUntouched)
{
    CTempDirectory sources;
    const std::wstring good = sources.File(L"good.apk");
    ASSERT_TRUE(WriteBytesToFile(good, std::string(100000, 'g')));
    const CTempPathOverride temp;

    // The names of the next ticks are taken already: by other installs' copies, and the
    // last few by directories. Both copies must start among the files to prove anything,
    // so a round that took too long to set up is tried again.
    constexpr DWORD kTaken = 60;
    constexpr DWORD kDirectories = 4;
    for (int round = 0; round < 5; ++round) {
        const DWORD first = ::GetTickCount();
        std::vector<std::wstring> taken;
        for (DWORD tick = first; tick < first + kTaken; ++tick) {
            taken.push_back(temp.dir.File(FormatTempApkName(tick)));
            if (tick - first >= kTaken - kDirectories) {
                ASSERT_TRUE(::CreateDirectoryW(taken.back().c_str(), nullptr));
            } else {
                ASSERT_TRUE(WriteBytesToFile(taken.back(), "another install's copy " + std::to_string(tick)));
            }
        }
        if (::GetTickCount() - first >= kTaken - 2 * kDirectories) {
            // Too slow this time: clear the names away, or the next round would find a
            // directory where it means to write a file.
            for (const std::wstring& name : taken) {
                if (!::DeleteFileW(name.c_str())) ::RemoveDirectoryW(name.c_str());
            }
            continue;
        }

        std::wstring failed = L"unchanged";
        EXPECT_FALSE(MakeTempApkCopy(sources.File(L"gone.apk"), nullptr, failed));
        EXPECT_TRUE(failed.empty());
        std::wstring copy;
        ASSERT_TRUE(MakeTempApkCopy(good, nullptr, copy));

        for (std::size_t i = 0; i < taken.size(); ++i) {
            const DWORD tick = first + DWORD(i);
            if (i >= kTaken - kDirectories) {
                EXPECT_NE(0u, ::GetFileAttributesW(taken[i].c_str()) & FILE_ATTRIBUTE_DIRECTORY) << i;
            } else {
                EXPECT_EQ("another install's copy " + std::to_string(tick), ReadBytesFromFile(taken[i])) << i;
            }
            EXPECT_NE(taken[i], copy);
        }
        EXPECT_EQ(std::string(100000, 'g'), ReadBytesFromFile(copy));
        EXPECT_EQ(temp.dir.Path(), copy.substr(0, temp.dir.Path().size()));
        return;
    }
    FAIL() << "could not take the names of the next ticks quickly enough";
}

TEST(MakeTempApkCopy, VanishedSourceFails)
{
    CTempDirectory dir;
    std::wstring path = L"unchanged";
    EXPECT_FALSE(MakeTempApkCopy(dir.File(L"gone.apk"), nullptr, path));
    EXPECT_TRUE(path.empty());
}

TEST(MakeTempApkCopy, CopyOfAReadOnlyPackageCanBeDeleted)
{
    CTempDirectory dir;
    const std::wstring package = dir.File(L"read only.apk");
    ASSERT_TRUE(WriteBytesToFile(package, "PK"));
    ASSERT_TRUE(::SetFileAttributesW(package.c_str(), FILE_ATTRIBUTE_READONLY));
    std::wstring copy;
    ASSERT_TRUE(MakeTempApkCopy(package, nullptr, copy));
    EXPECT_EQ(0u, ::GetFileAttributesW(copy.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(::DeleteFileW(copy.c_str()));
}
