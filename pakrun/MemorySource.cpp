#include "MemorySource.h"

#include <cstring>

std::size_t CMemorySource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count)
{
    if (offset >= m_nSize) return 0;
    const std::size_t available = m_nSize - static_cast<std::size_t>(offset);
    if (count > available) count = available;
    if (count > 0) std::memcpy(buffer, m_pData + offset, count);
    return count;
}
