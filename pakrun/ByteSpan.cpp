#include "ByteSpan.h"

CByteSpan::CByteSpan(CPieceReader& reader, std::size_t start, std::size_t size)
    : m_pReader(&reader), m_nStart(start), m_nSize(size)
{
    if (m_nStart > reader.Size()) m_nStart = reader.Size();
    if (m_nSize > reader.Size() - m_nStart) m_nSize = reader.Size() - m_nStart;
}
