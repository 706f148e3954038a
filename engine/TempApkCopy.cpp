#include "TempApkCopy.h"

#include "InstallRules.h"

namespace {

// Enough for any number of installs started in one tick on one machine.
constexpr int kNameAttempts = 64;

// The user's temporary directory with its trailing backslash; empty when it is unknown or
// longer than a path may be.
std::wstring TempDirectory()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) return std::wstring();
    return std::wstring(buffer, length);
}

DWORD CALLBACK CopyProgress(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE,
                            HANDLE, LPVOID cancelEvent)
{
    const bool cancelled = cancelEvent && ::WaitForSingleObject(static_cast<HANDLE>(cancelEvent), 0) == WAIT_OBJECT_0;
    return cancelled ? PROGRESS_CANCEL : PROGRESS_CONTINUE;
}

}  // namespace

bool MakeTempApkCopy(const std::wstring& packagePath, HANDLE cancelEvent, std::wstring& tempPath)
{
    tempPath.clear();
    const std::wstring dir = TempDirectory();
    if (dir.empty()) return false;

    const DWORD tick = ::GetTickCount();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::wstring path = dir + FormatTempApkName(tick + DWORD(attempt));
        if (::CopyFileExW(packagePath.c_str(), path.c_str(), CopyProgress, cancelEvent, nullptr,
                          COPY_FILE_FAIL_IF_EXISTS)) {
            // The copy takes the package's attributes: a read-only package (as files
            // copied from a disc are) would give a copy that could not be deleted.
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            tempPath = path;
            return true;
        }
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
        // The name was free, so whatever a failed copy left there is ours to remove.
        ::DeleteFileW(path.c_str());
        return false;
    }
    return false;
}
