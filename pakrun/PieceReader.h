// One range of a package's bytes (a stored entry such as resources.arsc), read a piece at
// a time as a parser asks for them. Each read of the package takes at least a block and
// the last one is kept, so that neighbouring small reads (a chunk's header, then its
// fields) cost one read; nothing else of the range is held. Pieces that miss the block
// twice in a row close behind the piece before (small chunks walked one after another)
// start a large block; any other (the header of a big chunk, an entry, a string) a small
// one, since every byte read is copied.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ByteSource.h"
#include "ByteView.h"

class CPieceReader {
public:
    static constexpr std::size_t kSmallBlock = 256;
    static constexpr std::size_t kLargeBlock = 8192;
    // How far behind the piece before a piece counts as close.
    static constexpr std::size_t kNearGap = 2048;

    // size bytes of source from offset; the source must outlive the reader.
    CPieceReader(CByteSource& source, std::uint64_t offset, std::size_t size);
    CPieceReader(const CPieceReader&) = delete;
    CPieceReader& operator=(const CPieceReader&) = delete;

    std::size_t Size() const { return m_nSize; }

    // The bytes [offset, offset + count) of the range; empty when they reach past it or
    // cannot be read. The view lasts until the next call.
    CByteView Piece(std::size_t offset, std::size_t count)
    {
        // Kept in the header: most pieces lie in the last block read, which lies in the range.
        if (offset >= m_nBufferStart && offset - m_nBufferStart <= m_nBuffered &&
            count <= m_nBuffered - (offset - m_nBufferStart)) {
            m_nLastEnd = offset + count;
            return CByteView(m_buffer.data() + (offset - m_nBufferStart), count);
        }
        return ReadPiece(offset, count);
    }

    // How many times the package has been read: the measure of the reader's work.
    std::size_t Reads() const { return m_nReads; }

private:
    CByteView ReadPiece(std::size_t offset, std::size_t count);

    CByteSource& m_source;
    std::uint64_t m_nOffset;
    std::size_t m_nSize;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_nBufferStart = 0;  // where in the range m_buffer[0] was read from
    std::size_t m_nBuffered = 0;     // how many bytes of m_buffer hold that
    std::size_t m_nLastEnd = 0;      // where the piece asked for last ends
    bool m_bCloseBefore = false;     // whether the last read was for a piece close behind
    std::size_t m_nReads = 0;
};
