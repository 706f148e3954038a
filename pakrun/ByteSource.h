// Random access to the bytes of a package, wherever they are kept: a file (the library)
// or memory (tests and fuzzers). The package is never read into memory as a whole.
#pragma once

#include <cstddef>
#include <cstdint>

class CByteSource {
public:
    virtual ~CByteSource() = default;

    virtual std::uint64_t Size() const = 0;

    // Reads up to count bytes at offset; returns how many were read (short at the end).
    virtual std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) = 0;

    // True when exactly count bytes were read.
    bool ReadExact(std::uint64_t offset, void* buffer, std::size_t count)
    {
        return ReadAt(offset, buffer, count) == count;
    }
};
