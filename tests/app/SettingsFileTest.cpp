#include <gtest/gtest.h>

#include <windows.h>

#include "ProgramDir.h"
#include "SettingsFile.h"
#include "TempDirectory.h"

namespace {

bool IsDirectory(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class SettingsFileTest : public ::testing::Test {
protected:
    // The application-data folder without its trailing backslash, as the shell gives it.
    std::wstring AppData() const { return m_appData.Path().substr(0, m_appData.Path().size() - 1); }
    std::wstring DataFolder() const { return m_appData.File(L"VexoHelmsway"); }
    std::wstring SettingsFile() const { return DataFolder() + L"\\Setting.ini"; }

    bool Resolve(const std::wstring& appData) { return ResolveSettingsPathFrom(appData.c_str(), m_path); }

    // A folder below the temporary one whose own path has exactly this length.
    std::wstring FolderOfLength(std::size_t length) const
    {
        const std::wstring folder = m_appData.Path() + std::wstring(length - m_appData.Path().size(), L'x');
        EXPECT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << folder.size();
        return folder;
    }

    CTempDirectory m_appData{L"appdata"};
    wchar_t m_path[kSettingsPathCapacity] = {};
};

}  // namespace

TEST_F(SettingsFileTest, FirstStartCreatesFolderAndEmptyFile)
{
    ASSERT_TRUE(Resolve(AppData()));
    EXPECT_EQ(SettingsFile(), std::wstring(m_path));
    EXPECT_TRUE(IsDirectory(DataFolder()));
    ASSERT_TRUE(FileExists(SettingsFile()));
    EXPECT_TRUE(ReadBytesFromFile(SettingsFile()).empty());
    EXPECT_EQ(kInstallPositionPhone, ReadInstallPosition(m_path));
}

TEST_F(SettingsFileTest, WrittenValueReadsBack)
{
    ASSERT_TRUE(Resolve(AppData()));
    EXPECT_TRUE(WriteInstallPosition(kInstallPositionSd, m_path));
    EXPECT_EQ(kInstallPositionSd, ReadInstallPosition(m_path));
    const std::string text = ReadBytesFromFile(SettingsFile());
    EXPECT_NE(std::string::npos, text.find("[VersionSection]")) << text;
    EXPECT_NE(std::string::npos, text.find("InstallPosition=1")) << text;

    EXPECT_TRUE(WriteInstallPosition(kInstallPositionPhone, m_path));
    EXPECT_EQ(kInstallPositionPhone, ReadInstallPosition(m_path));
}

TEST_F(SettingsFileTest, ExistingFileIsKeptAndOtherValuesReadAsWritten)
{
    ASSERT_TRUE(::CreateDirectoryW(DataFolder().c_str(), nullptr));
    ASSERT_TRUE(WriteBytesToFile(SettingsFile(), "[VersionSection]\r\nInstallPosition=2\r\n"));
    ASSERT_TRUE(Resolve(AppData()));
    EXPECT_EQ("[VersionSection]\r\nInstallPosition=2\r\n", ReadBytesFromFile(SettingsFile()));
    const int position = ReadInstallPosition(m_path);
    EXPECT_EQ(2, position);
    EXPECT_NE(kInstallPositionSd, position) << "only 1 means the SD card";
}

TEST_F(SettingsFileTest, MissingSectionOrNumberReadsZero)
{
    ASSERT_TRUE(Resolve(AppData()));
    ASSERT_TRUE(WriteBytesToFile(SettingsFile(), "[Other]\r\nInstallPosition=1\r\n"));
    EXPECT_EQ(0, ReadInstallPosition(m_path));
    ASSERT_TRUE(WriteBytesToFile(SettingsFile(), "[VersionSection]\r\nInstallPosition=sd\r\n"));
    EXPECT_EQ(0, ReadInstallPosition(m_path));
}

TEST_F(SettingsFileTest, FolderThatCannotBeCreated)
{
    const std::wstring missingParent = m_appData.File(L"missing\\deeper");
    EXPECT_FALSE(Resolve(missingParent));
    EXPECT_EQ(L'\0', m_path[0]);
    EXPECT_EQ(0, ReadInstallPosition(m_path));
    EXPECT_FALSE(WriteInstallPosition(1, m_path));
    EXPECT_FALSE(FileExists(m_appData.File(L"missing"))) << "nothing is written anywhere";
}

TEST_F(SettingsFileTest, FileInTheWayOfTheFolderIsLeftAlone)
{
    ASSERT_TRUE(WriteBytesToFile(DataFolder(), "keep"));
    EXPECT_FALSE(Resolve(AppData()));
    EXPECT_FALSE(WriteInstallPosition(1, m_path));
    EXPECT_EQ("keep", ReadBytesFromFile(DataFolder()));
}

TEST_F(SettingsFileTest, PathThatFillsTheBufferExactly)
{
    // "\VexoHelmsway\Setting.ini" is 25 characters; 259 of them leave room for the end.
    const std::wstring appData = FolderOfLength(kSettingsPathCapacity - 1 - 25);
    ASSERT_TRUE(Resolve(appData));
    EXPECT_EQ(kSettingsPathCapacity - 1, std::wstring(m_path).size());
    EXPECT_TRUE(WriteInstallPosition(1, m_path));
    EXPECT_EQ(1, ReadInstallPosition(m_path));
}

TEST_F(SettingsFileTest, PathTooLongForTheBufferCreatesNothing)
{
    const std::wstring appData = FolderOfLength(kSettingsPathCapacity - 25);
    EXPECT_FALSE(Resolve(appData));
    EXPECT_EQ(L'\0', m_path[0]);
    EXPECT_EQ(0, ReadInstallPosition(m_path));
    EXPECT_FALSE(WriteInstallPosition(1, m_path));
    EXPECT_FALSE(FileExists(appData + L"\\VexoHelmsway"));
}

TEST_F(SettingsFileTest, UnknownApplicationDataFolder)
{
    EXPECT_FALSE(ResolveSettingsPathFrom(nullptr, m_path));
    EXPECT_FALSE(ResolveSettingsPathFrom(L"", m_path));
    EXPECT_EQ(0, ReadInstallPosition(m_path));
    EXPECT_FALSE(WriteInstallPosition(1, m_path));
}

TEST_F(SettingsFileTest, ResolvedOnceAndTrailingBackslashTolerated)
{
    ASSERT_TRUE(Resolve(m_appData.Path()));
    EXPECT_EQ(SettingsFile(), std::wstring(m_path));
    const CTempDirectory other;
    EXPECT_TRUE(Resolve(other.Path()));
    EXPECT_EQ(SettingsFile(), std::wstring(m_path));
    EXPECT_FALSE(FileExists(other.File(L"VexoHelmsway")));
}

TEST(ProcessSettingsPath, ResolvedFromTheUsersApplicationData)
{
    ResolveSettingsPath();
    const std::wstring path = g_szSettingsPath;
    const std::wstring tail = L"\\VexoHelmsway\\Setting.ini";
    ASSERT_GT(path.size(), tail.size());
    EXPECT_EQ(tail, path.substr(path.size() - tail.size()));
    EXPECT_TRUE(FileExists(path));
    const int before = ReadInstallPosition();
    EXPECT_TRUE(WriteInstallPosition(before));
    EXPECT_EQ(before, ReadInstallPosition());
}

TEST(LanguageFilePath, BesideTheProgram)
{
    EXPECT_EQ(GetProgramDirPath(L"Language.xml"), GetLanguageFilePath());
    const std::wstring path = GetLanguageFilePath();
    EXPECT_EQ(L"\\Language.xml", path.substr(path.size() - 13));
}

TEST(IsFile, AFileButNotAFolderOrNothing)
{
    CTempDirectory dir;
    ASSERT_TRUE(WriteBytesToFile(dir.File(L"adb.exe"), "MZ"));
    ASSERT_TRUE(::CreateDirectoryW(dir.File(L"Helmsway.exe").c_str(), nullptr));
    EXPECT_TRUE(IsFile(dir.File(L"adb.exe")));
    EXPECT_FALSE(IsFile(dir.File(L"Helmsway.exe")));
    EXPECT_FALSE(IsFile(dir.File(L"missing.exe")));
}
