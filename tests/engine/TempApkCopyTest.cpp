#include <gtest/gtest.h>

#include <windows.h>

#include "FileSha256.h"
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

TEST(MakeTempApkCopy, TwoCopiesInARowNeverShareAName)
{
    CTempDirectory dir;
    const std::wstring first = dir.File(L"first.apk");
    const std::wstring second = dir.File(L"second.apk");
    ASSERT_TRUE(WriteBytesToFile(first, std::string(100000, 'a')));
    ASSERT_TRUE(WriteBytesToFile(second, "second package"));

    CCopyCleanup a, b;
    ASSERT_TRUE(MakeTempApkCopy(first, nullptr, a.path));
    ASSERT_TRUE(MakeTempApkCopy(second, nullptr, b.path));
    EXPECT_NE(a.path, b.path);
    EXPECT_EQ(Sha256OfFile(first), Sha256OfFile(a.path)) << "the first copy was not overwritten";
    EXPECT_EQ(Sha256OfFile(second), Sha256OfFile(b.path));
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
