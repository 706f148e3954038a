#include "PieceReader.h"

#include <algorithm>

namespace {

// A buffer grown for one long piece (a long string) is given back after it.
constexpr std::size_t kKeptBufferSize = 64 * 1024;

}  // namespace

CPieceReader::CPieceReader(CByteSource& source, std::uint64_t offset, std::size_t size)
    : m_source(source), m_nOffset(offset), m_nSize(size)
{
}

CByteView CPieceReader::ReadPiece(std::size_t offset, std::size_t count)
{
    if (offset > m_nSize || count > m_nSize - offset) return CByteView();
    // Read forward from the piece: chunks are walked and entries found front to back.
    const bool close = m_nReads > 0 && offset >= m_nLastEnd && offset - m_nLastEnd < kNearGap;
    const std::size_t block = close && m_bCloseBefore ? kLargeBlock : kSmallBlock;
    m_bCloseBefore = close;
    m_nLastEnd = offset + count;
    const std::size_t want = std::min(std::max(count, block), m_nSize - offset);
    if (want <= kLargeBlock && m_buffer.size() > kKeptBufferSize) m_buffer = std::vector<std::uint8_t>();
    if (m_buffer.size() < want) m_buffer.resize(std::max(want, kLargeBlock));
    ++m_nReads;
    m_nBufferStart = offset;
    m_nBuffered = m_source.ReadAt(m_nOffset + offset, m_buffer.data(), want);
    if (m_nBuffered < count) return CByteView();
    return CByteView(m_buffer.data(), count);
}
