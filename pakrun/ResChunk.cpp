#include "ResChunk.h"

bool CResChunk::Read(CByteView data, std::size_t offset, std::size_t minHeaderSize)
{
    std::uint32_t size = 0;
    std::uint16_t headerSize = 0;
    if (!data.U16(offset, m_nType) || !data.U16(offset + 2, headerSize) || !data.U32(offset + 4, size)) return false;
    if (headerSize < kHeaderSize || headerSize < minHeaderSize || headerSize > size) return false;
    if (!data.Contains(offset, headerSize)) return false;
    m_nHeaderSize = headerSize;
    m_nOffset = offset;
    m_bTruncated = !data.Contains(offset, size);
    m_whole = data.Sub(offset, size);
    return true;
}
