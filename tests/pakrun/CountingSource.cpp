#include "CountingSource.h"

std::size_t CCountingSource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count)
{
    ++m_nReads;
    if (offset >= m_nFailFrom) return 0;
    if (count > m_nFailFrom - offset) count = static_cast<std::size_t>(m_nFailFrom - offset);
    const std::size_t read = m_source.ReadAt(offset, buffer, count);
    m_nBytesRead += read;
    return read;
}
