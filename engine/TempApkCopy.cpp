#include "TempApkCopy.h"

#include <vector>

#include "InstallRules.h"
#include "LongPath.h"
#include "ScopedHandle.h"

namespace {

// Enough for any number of installs started in one tick on one machine.
constexpr int kNameAttempts = 64;
constexpr DWORD kCopyChunkBytes = 1024 * 1024;

// The user's temporary directory with its trailing backslash; empty when it is unknown or
// longer than a path may be.
std::wstring TempDirectory()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) return std::wstring();
    return std::wstring(buffer, length);
}

bool Cancelled(HANDLE cancelEvent)
{
    return cancelEvent && ::WaitForSingleObject(cancelEvent, 0) == WAIT_OBJECT_0;
}

// Whether a create-new open failed because something, a file or a directory, has the name.
bool NameIsTaken(const std::wstring& path, DWORD error)
{
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
           ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Creates the first free name from the tick count on. Opening with CREATE_NEW both tests
// and takes the name, so a file that another install made is never opened, let alone
// overwritten or deleted.
CScopedFileHandle ReserveName(const std::wstring& dir, std::wstring& path, const wchar_t* extension = L".apk")
{
    const DWORD tick = ::GetTickCount();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        path = dir + FormatTempFileName(tick + DWORD(attempt), extension);
        CScopedFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return file;
        if (!NameIsTaken(path, ::GetLastError())) break;
    }
    path.clear();
    return CScopedFileHandle();
}

bool CopyBytes(HANDLE source, HANDLE target, HANDLE cancelEvent)
{
    std::vector<char> buffer(kCopyChunkBytes);
    for (;;) {
        if (Cancelled(cancelEvent)) return false;
        DWORD got = 0;
        if (!::ReadFile(source, buffer.data(), kCopyChunkBytes, &got, nullptr)) return false;
        if (got == 0) return true;
        DWORD written = 0;
        if (!::WriteFile(target, buffer.data(), got, &written, nullptr) || written != got) return false;
    }
}

}  // namespace

bool MakeTempApkCopy(const std::wstring& packagePath, HANDLE cancelEvent, std::wstring& tempPath)
{
    tempPath.clear();
    const std::wstring dir = TempDirectory();
    if (dir.empty()) return false;

    // A package that cannot be opened takes no name at all. It is opened by the
    // extended-length form of its exact name: the classic form is refused for a long path
    // and drops the dots and blanks that end a name.
    const CScopedFileHandle source(::CreateFileW(ExactFilePath(packagePath).c_str(), GENERIC_READ,
                                                 FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source) return false;

    std::wstring path;
    CScopedFileHandle copy = ReserveName(dir, path);
    if (!copy) return false;
    const bool copied = CopyBytes(source.Get(), copy.Get(), cancelEvent);
    const bool closed = copy.Close();  // adb may only open the copy once it is whole
    if (!copied || !closed) {
        ::DeleteFileW(path.c_str());  // made by this call, so ours to remove
        return false;
    }
    tempPath = path;
    return true;
}

CScopedFileHandle CreateNumericTempFile(const wchar_t* extension, std::wstring& path)
{
    path.clear();
    const std::wstring dir = TempDirectory();
    if (dir.empty()) return CScopedFileHandle();
    return ReserveName(dir, path, extension);
}
