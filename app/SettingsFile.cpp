#include "SettingsFile.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "ScopedHandle.h"

wchar_t g_szSettingsPath[kSettingsPathCapacity] = {};

namespace {

const wchar_t kDataFolder[] = L"\\VexoHelmsway";
const wchar_t kSettingsFile[] = L"Setting.ini";
const wchar_t kSection[] = L"VersionSection";
const wchar_t kInstallPositionKey[] = L"InstallPosition";

bool IsDirectory(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EnsureDirectory(const std::wstring& path)
{
    if (IsDirectory(path)) return true;
    SECURITY_ATTRIBUTES security{sizeof(security), nullptr, FALSE};
    // Another instance may make it at the same moment: what counts is that it exists.
    return ::CreateDirectoryW(path.c_str(), &security) || IsDirectory(path);
}

// Opens the file if it is there, else creates it empty; a failure of both is left for
// the profile functions to meet.
void EnsureFile(const std::wstring& path)
{
    CScopedFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return;
    file.Reset(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

bool ResolveSettingsPathFrom(const wchar_t* appDataDir, wchar_t (&settingsPath)[kSettingsPathCapacity])
{
    if (settingsPath[0] != L'\0') return true;
    if (!appDataDir || appDataDir[0] == L'\0') return false;

    std::wstring folder = appDataDir;
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    folder += kDataFolder;
    const std::wstring file = folder + L"\\" + kSettingsFile;
    if (file.size() >= kSettingsPathCapacity) return false;
    if (!EnsureDirectory(folder)) return false;
    EnsureFile(file);

    file.copy(settingsPath, file.size());
    settingsPath[file.size()] = L'\0';
    return true;
}

void ResolveSettingsPath()
{
    if (g_szSettingsPath[0] != L'\0') return;
    wchar_t appData[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE)) return;
    ResolveSettingsPathFrom(appData, g_szSettingsPath);
}

int ReadInstallPosition(const wchar_t* settingsPath)
{
    if (!settingsPath || settingsPath[0] == L'\0') return kInstallPositionPhone;
    return int(::GetPrivateProfileIntW(kSection, kInstallPositionKey, kInstallPositionPhone, settingsPath));
}

bool WriteInstallPosition(int position, const wchar_t* settingsPath)
{
    // An empty name would make the profile functions use a file in the Windows directory.
    if (!settingsPath || settingsPath[0] == L'\0') return false;
    return ::WritePrivateProfileStringW(kSection, kInstallPositionKey, std::to_wstring(position).c_str(),
                                        settingsPath) != FALSE;
}
