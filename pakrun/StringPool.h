// A string pool chunk (binary XML and resources.arsc), UTF-8 or UTF-16. Strings are
// decoded on demand, reading only the offset and the bytes of the string asked for; an
// index or offset out of range gives no string, never a crash.
#pragma once

#include <cstdint>
#include <string>

#include "ByteSpan.h"

class CStringPool {
public:
    // Reads the pool header from the whole chunk (header included). False when it is no
    // usable pool; the pool is then empty.
    bool Load(CByteSpan chunk, std::size_t headerSize);

    std::size_t Count() const { return m_nCount; }
    bool IsUtf8() const { return m_bUtf8; }

    // The string at index; false (out empty) when it cannot be read.
    bool Get(std::uint32_t index, std::u16string& out) const;
    std::u16string GetOr(std::uint32_t index, std::u16string fallback = {}) const;
    // True when the string at index is exactly that ASCII text (other text is never equal);
    // nothing is decoded into memory for it, as element names are compared for every
    // element of a document.
    bool Equals(std::uint32_t index, const char* ascii) const;

private:
    // Where the string at index is stored: its bytes (UTF-8) or units (UTF-16) and how
    // many UTF-16 units it declares.
    bool Locate(std::uint32_t index, std::size_t& offset, std::size_t& size) const;
    bool LocateUtf8(std::size_t& offset, std::size_t& size) const;
    bool LocateUtf16(std::size_t& offset, std::size_t& size) const;

    CByteSpan m_chunk;
    std::size_t m_nOffsetsStart = 0;
    std::size_t m_nStringsStart = 0;
    std::size_t m_nCount = 0;
    bool m_bUtf8 = false;
};
