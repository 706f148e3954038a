#include "StringPool.h"

#include <string_view>

#include "TextUtf.h"

namespace {

constexpr std::uint32_t kUtf8Flag = 0x100;
constexpr std::size_t kPoolHeaderSize = 28;

}  // namespace

bool CStringPool::Load(CByteView chunk, std::size_t headerSize)
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
    if (index >= m_nCount) return false;
    const std::uint32_t offset = m_chunk.U32At(m_nOffsetsStart + std::size_t(index) * 4);
    const std::size_t at = m_nStringsStart + std::size_t(offset);
    if (at < m_nStringsStart || at >= m_chunk.Size()) return false;
    return m_bUtf8 ? DecodeUtf8(at, out) : DecodeUtf16(at, out);
}

std::u16string CStringPool::GetOr(std::uint32_t index, std::u16string fallback) const
{
    std::u16string text;
    return Get(index, text) ? text : fallback;
}

bool CStringPool::DecodeUtf8(std::size_t offset, std::u16string& out) const
{
    // Two lengths, each one byte or two (high bit set): UTF-16 units, then UTF-8 bytes.
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    if (!m_chunk.U8(offset, first)) return false;
    offset += (first & 0x80) ? 2 : 1;
    if (!m_chunk.U8(offset, first)) return false;
    std::size_t byteCount = first;
    if (first & 0x80) {
        if (!m_chunk.U8(offset + 1, second)) return false;
        byteCount = (std::size_t(first & 0x7F) << 8) | second;
        offset += 2;
    } else {
        offset += 1;
    }
    if (!m_chunk.Contains(offset, byteCount)) return false;
    const char* bytes = reinterpret_cast<const char*>(m_chunk.Data() + offset);
    out = CTextUtf::Utf8WithSurrogatesToUtf16(std::string_view(bytes, byteCount));
    return true;
}

bool CStringPool::DecodeUtf16(std::size_t offset, std::u16string& out) const
{
    std::uint16_t first = 0;
    if (!m_chunk.U16(offset, first)) return false;
    std::size_t length = first;
    offset += 2;
    if (first & 0x8000) {
        std::uint16_t second = 0;
        if (!m_chunk.U16(offset, second)) return false;
        length = (std::size_t(first & 0x7FFF) << 16) | second;
        offset += 2;
    }
    if (offset > m_chunk.Size() || length > (m_chunk.Size() - offset) / 2) return false;
    out.resize(length);
    for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<char16_t>(m_chunk.U16At(offset + i * 2));
    return true;
}
