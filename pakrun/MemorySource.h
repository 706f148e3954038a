// A package held in memory, for tests and fuzzers. The bytes are borrowed, not copied.
#pragma once

#include "ByteSource.h"

class CMemorySource : public CByteSource {
public:
    CMemorySource(const void* data, std::size_t size)
        : m_pData(static_cast<const std::uint8_t*>(data)), m_nSize(size)
    {
    }

    std::uint64_t Size() const override { return m_nSize; }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;

private:
    const std::uint8_t* m_pData;
    std::size_t m_nSize;
};
