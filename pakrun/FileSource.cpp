#include "FileSource.h"

#include <system_error>

#ifdef _WIN32
#include <sys/stat.h>

#include "LongPath.h"
#endif

namespace {

bool SeekTo(std::FILE* file, std::uint64_t offset)
{
#ifdef _WIN32
    return _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

}  // namespace

CFileSource::~CFileSource()
{
    if (m_pFile) std::fclose(m_pFile);
}

bool CFileSource::Open(const std::filesystem::path& path)
{
#ifdef _WIN32
    // Opened by its extended-length form when it is long: the classic form of a path over
    // 260 characters is refused by the system. The size comes from the open file, as the
    // runtime's path-based calls do not take that form.
    m_pFile = _wfopen(ExtendedLengthPath(path.wstring()).c_str(), L"rb");
    if (!m_pFile) return false;
    struct _stat64 info {};
    if (_fstat64(_fileno(m_pFile), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
        std::fclose(m_pFile);
        m_pFile = nullptr;
        return false;
    }
    m_nSize = std::uint64_t(info.st_size);
#else
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return false;
    m_pFile = std::fopen(path.c_str(), "rb");
    if (!m_pFile) return false;
    m_nSize = size;
#endif
    m_nPosition = 0;
    return true;
}

std::size_t CFileSource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count)
{
    if (!m_pFile || offset >= m_nSize) return 0;
    // Sequential reads (the usual case while inflating) keep the stdio buffer.
    if (offset != m_nPosition) {
        if (!SeekTo(m_pFile, offset)) return 0;
        m_nPosition = offset;
    }
    const std::size_t read = std::fread(buffer, 1, count, m_pFile);
    m_nPosition += read;
    if (read < count) {
        std::clearerr(m_pFile);
        m_nPosition = ~std::uint64_t(0);  // unknown: seek before the next read
    }
    return read;
}
