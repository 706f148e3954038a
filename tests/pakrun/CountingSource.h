// A package source that counts how often and how much it is read, and can be told to
// fail from some offset on: for tests of what a reader touches.
#pragma once

#include <cstdint>
#include <limits>

#include "ByteSource.h"

class CCountingSource : public CByteSource {
public:
    // The source must outlive the counter.
    explicit CCountingSource(CByteSource& source) : m_source(source) {}

    std::uint64_t Size() const override { return m_source.Size(); }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;

    // No byte at or past offset is given, as if the package ended there.
    void FailFrom(std::uint64_t offset) { m_nFailFrom = offset; }

    std::size_t Reads() const { return m_nReads; }
    std::uint64_t BytesRead() const { return m_nBytesRead; }
    void Reset()
    {
        m_nReads = 0;
        m_nBytesRead = 0;
    }

private:
    CByteSource& m_source;
    std::uint64_t m_nFailFrom = std::numeric_limits<std::uint64_t>::max();
    std::size_t m_nReads = 0;
    std::uint64_t m_nBytesRead = 0;
};
