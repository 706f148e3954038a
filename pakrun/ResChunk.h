// The common header of every chunk in binary XML and resources.arsc: type, header size,
// total size. A chunk is only used after its header has been checked against the bytes,
// whether they are in memory (CByteView) or read from the package as needed (CByteSpan).
#pragma once

#include <cstdint>

#include "ByteSpan.h"
#include "ByteView.h"

namespace ResChunkType {
constexpr std::uint16_t kStringPool = 0x0001;
constexpr std::uint16_t kTable = 0x0002;
constexpr std::uint16_t kXml = 0x0003;
constexpr std::uint16_t kXmlStartNamespace = 0x0100;
constexpr std::uint16_t kXmlEndNamespace = 0x0101;
constexpr std::uint16_t kXmlStartElement = 0x0102;
constexpr std::uint16_t kXmlEndElement = 0x0103;
constexpr std::uint16_t kXmlResourceMap = 0x0180;
constexpr std::uint16_t kTablePackage = 0x0200;
constexpr std::uint16_t kTableType = 0x0201;
constexpr std::uint16_t kTableTypeSpec = 0x0202;
}  // namespace ResChunkType

template <class Bytes>
class TResChunk {
public:
    static constexpr std::size_t kHeaderSize = 8;

    // Reads the chunk at offset. False when its header does not fit, is smaller than 8
    // bytes, is larger than the chunk, or is shorter than minHeaderSize. A chunk that
    // claims more bytes than there are is cut to what there is (Truncated() tells).
    bool Read(const Bytes& data, std::size_t offset, std::size_t minHeaderSize = kHeaderSize);

    std::uint16_t Type() const { return m_nType; }
    std::size_t HeaderSize() const { return m_nHeaderSize; }
    bool Truncated() const { return m_bTruncated; }

    // The whole chunk (header included) and its header, both within the data.
    Bytes Whole() const { return m_whole; }
    Bytes Header() const { return m_whole.Sub(0, m_nHeaderSize); }
    // Where the chunk's body begins, relative to the chunk's start.
    Bytes Body() const { return m_whole.Sub(m_nHeaderSize, m_whole.Size()); }
    // Offset of the chunk, and of the next one, in the data the chunk was read from.
    std::size_t Offset() const { return m_nOffset; }
    std::size_t NextOffset() const { return m_nOffset + m_whole.Size(); }

private:
    std::uint16_t m_nType = 0;
    std::size_t m_nHeaderSize = 0;
    std::size_t m_nOffset = 0;
    bool m_bTruncated = false;
    Bytes m_whole;
};

extern template class TResChunk<CByteView>;
extern template class TResChunk<CByteSpan>;

using CResChunk = TResChunk<CByteView>;
using CResSpanChunk = TResChunk<CByteSpan>;
