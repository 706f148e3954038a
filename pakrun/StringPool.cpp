#include "StringPool.h"

#include <cstring>
#include <string_view>

#include "TextUtf.h"

namespace {

constexpr std::uint32_t kUtf8Flag = 0x100;
constexpr std::size_t kPoolHeaderSize = 28;

}  // namespace

bool CStringPool::Load(CByteSpan chunk, std::size_t headerSize)
{
    *this = CStringPool();
    if (headerSize < kPoolHeaderSize || !chunk.Contains(0, kPoolHeaderSize)) return false;
    const std::uint32_t count = chunk.U32At(8);
    const std::uint32_t flags = chunk.U32At(16);
    const std::uint32_t stringsStart = chunk.U32At(20);
    // The offsets must lie inside the chunk; a count that claims more is cut to what fits.
    if (headerSize > chunk.Size()) return false;
    const std::size_t fitting = (chunk.Size() - headerSize) / 4;
    m_chunk = chunk;
    m_nOffsetsStart = headerSize;
    m_nStringsStart = stringsStart;
    m_nCount = count < fitting ? count : fitting;
    m_bUtf8 = (flags & kUtf8Flag) != 0;
    return true;
}

bool CStringPool::Get(std::uint32_t index, std::u16string& out) const
{
    out.clear();
    std::size_t offset = 0;
    std::size_t size = 0;
    if (!Locate(index, offset, size)) return false;
    if (m_bUtf8) {
        const CByteView bytes = m_chunk.Bytes(offset, size);
        if (bytes.Size() != size) return false;
        out = CTextUtf::Utf8WithSurrogatesToUtf16(std::string_view(reinterpret_cast<const char*>(bytes.Data()), size));
        return true;
    }
    const CByteView units = m_chunk.Bytes(offset, size * 2);
    if (units.Size() != size * 2) return false;
    out.resize(size);
    for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<char16_t>(units.U16At(i * 2));
    return true;
}

std::u16string CStringPool::GetOr(std::uint32_t index, std::u16string fallback) const
{
    std::u16string text;
    return Get(index, text) ? text : fallback;
}

bool CStringPool::Equals(std::uint32_t index, const char* ascii) const
{
    std::size_t offset = 0;
    std::size_t size = 0;
    if (!Locate(index, offset, size)) return false;
    const std::size_t width = m_bUtf8 ? 1 : 2;
    const std::size_t length = std::strlen(ascii);
    // ASCII text is one byte a character in UTF-8 and one unit in UTF-16; no other text
    // is compared.
    if (size != length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(ascii[i]) >= 0x80) return false;
    }
    const CByteView text = m_chunk.Bytes(offset, size * width);
    if (text.Size() != size * width) return false;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned unit = m_bUtf8 ? text.Data()[i] : text.U16At(i * 2);
        if (unit != static_cast<unsigned char>(ascii[i])) return false;
    }
    return true;
}

bool CStringPool::Locate(std::uint32_t index, std::size_t& offset, std::size_t& size) const
{
    std::uint32_t at = 0;
    if (index >= m_nCount || !m_chunk.U32(m_nOffsetsStart + std::size_t(index) * 4, at)) return false;
    offset = m_nStringsStart + std::size_t(at);
    if (offset < m_nStringsStart || offset >= m_chunk.Size()) return false;
    return m_bUtf8 ? LocateUtf8(offset, size) : LocateUtf16(offset, size);
}

bool CStringPool::LocateUtf8(std::size_t& offset, std::size_t& size) const
{
    // Two lengths, each one byte or two (high bit set): UTF-16 units, then UTF-8 bytes.
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    if (!m_chunk.U8(offset, first)) return false;
    offset += (first & 0x80) ? 2 : 1;
    if (!m_chunk.U8(offset, first)) return false;
    size = first;
    if (first & 0x80) {
        if (!m_chunk.U8(offset + 1, second)) return false;
        size = (std::size_t(first & 0x7F) << 8) | second;
        offset += 2;
    } else {
        offset += 1;
    }
    return m_chunk.Contains(offset, size);
}

bool CStringPool::LocateUtf16(std::size_t& offset, std::size_t& size) const
{
    std::uint16_t first = 0;
    if (!m_chunk.U16(offset, first)) return false;
    size = first;
    offset += 2;
    if (first & 0x8000) {
        std::uint16_t second = 0;
        if (!m_chunk.U16(offset, second)) return false;
        size = (std::size_t(first & 0x7FFF) << 16) | second;
        offset += 2;
    }
    return offset <= m_chunk.Size() && size <= (m_chunk.Size() - offset) / 2;
}
