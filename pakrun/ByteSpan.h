// A bounds-checked range of little-endian bytes that are either in memory or read from
// the package on demand by a CPieceReader. Its reads say whether they fitted, as
// CByteView's do; bytes that the package cannot give fail the same way.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ByteView.h"
#include "PieceReader.h"

class CByteSpan {
public:
    CByteSpan() = default;
    // Bytes in memory, borrowed.
    CByteSpan(CByteView memory) : m_memory(memory), m_nSize(memory.Size()) {}
    // size bytes of what the reader reads, from start; the reader must outlive the span.
    CByteSpan(CPieceReader& reader, std::size_t start, std::size_t size);

    std::size_t Size() const { return m_nSize; }
    bool Empty() const { return m_nSize == 0; }

    // True when [offset, offset + count) lies inside the span (no overflow).
    bool Contains(std::size_t offset, std::size_t count) const
    {
        return offset <= m_nSize && count <= m_nSize - offset;
    }

    // The part [offset, offset + count), cut to the span's end; empty when offset is past it.
    CByteSpan Sub(std::size_t offset, std::size_t count) const
    {
        if (offset > m_nSize) return CByteSpan();
        if (count > m_nSize - offset) count = m_nSize - offset;
        CByteSpan part;
        part.m_memory = m_memory.Sub(offset, count);
        part.m_pReader = m_pReader;
        part.m_nStart = m_nStart + offset;
        part.m_nSize = count;
        return part;
    }

    // The bytes [offset, offset + count); empty when they do not lie inside the span or
    // cannot be read. Bytes read from the package last until its reader's next read.
    CByteView Bytes(std::size_t offset, std::size_t count) const
    {
        if (!Contains(offset, count)) return CByteView();
        return m_pReader ? m_pReader->Piece(m_nStart + offset, count) : m_memory.Bytes(offset, count);
    }

    bool U8(std::size_t offset, std::uint8_t& out) const { return Bytes(offset, 1).U8(0, out); }
    bool U16(std::size_t offset, std::uint16_t& out) const { return Bytes(offset, 2).U16(0, out); }
    bool U32(std::size_t offset, std::uint32_t& out) const { return Bytes(offset, 4).U32(0, out); }

    // For callers that have tested Contains first; 0 when the bytes cannot be read.
    std::uint16_t U16At(std::size_t offset) const
    {
        std::uint16_t value = 0;
        U16(offset, value);
        return value;
    }
    std::uint32_t U32At(std::size_t offset) const
    {
        std::uint32_t value = 0;
        U32(offset, value);
        return value;
    }

private:
    CByteView m_memory;
    CPieceReader* m_pReader = nullptr;
    std::size_t m_nStart = 0;  // in the reader's range
    std::size_t m_nSize = 0;
};
