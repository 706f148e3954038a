#include "FileSource.h"

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "LongPath.h"
#else
#include <cerrno>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
// A read at an offset on a handle opened without overlapping: one call, which leaves
// the runtime's file position out of it.
std::size_t ReadAtOffset(int file, std::uint64_t offset, std::uint8_t* buffer, std::size_t count)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(file));
    if (handle == INVALID_HANDLE_VALUE) return 0;
    constexpr std::size_t kMaxCall = 1u << 30;
    std::size_t total = 0;
    while (total < count) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + total);
        at.OffsetHigh = static_cast<DWORD>((offset + total) >> 32);
        const DWORD want = static_cast<DWORD>(count - total < kMaxCall ? count - total : kMaxCall);
        DWORD got = 0;
        if (!ReadFile(handle, buffer + total, want, &got, &at) || got == 0) break;
        total += got;
    }
    return total;
}
#else
std::size_t ReadAtOffset(int file, std::uint64_t offset, std::uint8_t* buffer, std::size_t count)
{
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got = pread(file, buffer + total, count - total, static_cast<off_t>(offset + total));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}
#endif

}  // namespace

CFileSource::~CFileSource()
{
    Close();
}

void CFileSource::Close()
{
    if (m_nFile < 0) return;
#ifdef _WIN32
    _close(m_nFile);
#else
    close(m_nFile);
#endif
    m_nFile = -1;
}

bool CFileSource::Open(const std::filesystem::path& path)
{
    Close();
#ifdef _WIN32
    // Opened by the extended-length form of its exact name: the classic form of a path over
    // 260 characters is refused by the system, and that of "game.apk." opens "game.apk".
    // The size comes from the open file, as the runtime's path-based calls do not take
    // that form.
    m_nFile = _wopen(ExactFilePath(path.wstring()).c_str(), _O_RDONLY | _O_BINARY);
    struct _stat64 info {};
    const bool regular = m_nFile >= 0 && _fstat64(m_nFile, &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFREG;
#else
    m_nFile = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    const bool regular = m_nFile >= 0 && fstat(m_nFile, &info) == 0 && S_ISREG(info.st_mode);
#endif
    if (!regular) {
        Close();
        return false;
    }
    m_nSize = std::uint64_t(info.st_size);
    return true;
}

std::size_t CFileSource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count)
{
    if (m_nFile < 0 || offset >= m_nSize) return 0;
    if (count > m_nSize - offset) count = static_cast<std::size_t>(m_nSize - offset);
    return ReadAtOffset(m_nFile, offset, static_cast<std::uint8_t*>(buffer), count);
}
