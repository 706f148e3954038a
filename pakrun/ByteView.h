// A bounds-checked, read-only view of little-endian bytes. Every read says whether it
// fitted, so parsers of hostile files never step outside what they were given.
#pragma once

#include <cstddef>
#include <cstdint>

class CByteView {
public:
    CByteView() = default;
    CByteView(const std::uint8_t* data, std::size_t size) : m_pData(data), m_nSize(size) {}

    const std::uint8_t* Data() const { return m_pData; }
    std::size_t Size() const { return m_nSize; }
    bool Empty() const { return m_nSize == 0; }

    // True when [offset, offset + count) lies inside the view (no overflow).
    bool Contains(std::size_t offset, std::size_t count) const
    {
        return offset <= m_nSize && count <= m_nSize - offset;
    }

    // The part [offset, offset + count), cut to the view's end; empty when offset is past it.
    CByteView Sub(std::size_t offset, std::size_t count) const
    {
        if (offset > m_nSize) return CByteView();
        if (count > m_nSize - offset) count = m_nSize - offset;
        return CByteView(m_pData + offset, count);
    }

    // The bytes [offset, offset + count); empty when they do not lie inside the view.
    CByteView Bytes(std::size_t offset, std::size_t count) const
    {
        return Contains(offset, count) ? CByteView(m_pData + offset, count) : CByteView();
    }

    bool U8(std::size_t offset, std::uint8_t& out) const
    {
        if (!Contains(offset, 1)) return false;
        out = m_pData[offset];
        return true;
    }

    bool U16(std::size_t offset, std::uint16_t& out) const
    {
        if (!Contains(offset, 2)) return false;
        out = static_cast<std::uint16_t>(m_pData[offset] | (m_pData[offset + 1] << 8));
        return true;
    }

    bool U32(std::size_t offset, std::uint32_t& out) const
    {
        if (!Contains(offset, 4)) return false;
        out = std::uint32_t(m_pData[offset]) | (std::uint32_t(m_pData[offset + 1]) << 8) |
              (std::uint32_t(m_pData[offset + 2]) << 16) | (std::uint32_t(m_pData[offset + 3]) << 24);
        return true;
    }

    bool U64(std::size_t offset, std::uint64_t& out) const
    {
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        if (!U32(offset, low) || !U32(offset + 4, high)) return false;
        out = (std::uint64_t(high) << 32) | low;
        return true;
    }

    // Unchecked forms for callers that have tested Contains first.
    std::uint16_t U16At(std::size_t offset) const
    {
        return static_cast<std::uint16_t>(m_pData[offset] | (m_pData[offset + 1] << 8));
    }
    std::uint32_t U32At(std::size_t offset) const
    {
        return std::uint32_t(m_pData[offset]) | (std::uint32_t(m_pData[offset + 1]) << 8) |
               (std::uint32_t(m_pData[offset + 2]) << 16) | (std::uint32_t(m_pData[offset + 3]) << 24);
    }

private:
    const std::uint8_t* m_pData = nullptr;
    std::size_t m_nSize = 0;
};
