#include "ByteSpan.h"

CByteSpan::CByteSpan(CPieceReader& reader, std::size_t start, std::size_t size)
    : m_pReader(&reader), m_nStart(start), m_nSize(size)
{
    if (m_nStart > reader.Size()) m_nStart = reader.Size();
    if (m_nSize > reader.Size() - m_nStart) m_nSize = reader.Size() - m_nStart;
}

CByteSpan CByteSpan::Sub(std::size_t offset, std::size_t count) const
{
    if (offset > m_nSize) return CByteSpan();
    if (count > m_nSize - offset) count = m_nSize - offset;
    if (!m_pReader) return CByteSpan(m_memory.Sub(offset, count));
    return CByteSpan(*m_pReader, m_nStart + offset, count);
}
