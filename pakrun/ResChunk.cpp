#include "ResChunk.h"

template <class Bytes>
bool TResChunk<Bytes>::Read(const Bytes& data, std::size_t offset, std::size_t minHeaderSize)
{
    const CByteView header = data.Bytes(offset, kHeaderSize);
    if (header.Size() != kHeaderSize) return false;
    m_nType = header.U16At(0);
    const std::uint16_t headerSize = header.U16At(2);
    const std::uint32_t size = header.U32At(4);
    if (headerSize < kHeaderSize || headerSize < minHeaderSize || headerSize > size) return false;
    if (!data.Contains(offset, headerSize)) return false;
    m_nHeaderSize = headerSize;
    m_nOffset = offset;
    m_bTruncated = !data.Contains(offset, size);
    m_whole = data.Sub(offset, size);
    return true;
}

template class TResChunk<CByteView>;
template class TResChunk<CByteSpan>;
