// Inflates one deflated ZIP entry straight from the package, a piece at a time, so that
// neither the compressed data nor more than the allowed output is ever held.
#pragma once

#include <cstdint>
#include <vector>

#include "ByteSource.h"
#include "ReadBudget.h"

enum class ZipReadStatus {
    Complete,   // all the entry's bytes, exactly as many as it declares
    Truncated,  // the entry holds more than it declares or than the cap allows: cut there
    Damaged,    // the data ends early or is corrupt: what came before is kept
    Failed,     // nothing could be read (bad header, unknown method, out of the file)
};

class CZipInflater {
public:
    // Inflates raw deflate data of compressedSize bytes at offset into out, stopping at
    // outputLimit bytes. out holds whatever was inflated, whatever the result. With a
    // budget, every byte inflated is work of its current phase, and out may not grow past
    // what its memory ceiling still takes: either stops it as truncated.
    static ZipReadStatus Inflate(CByteSource& source, std::uint64_t offset,
                                 std::uint64_t compressedSize, std::size_t outputLimit,
                                 std::vector<std::uint8_t>& out, CReadBudget* budget = nullptr);

    // Work units of one byte inflated: zlib gives about 200 MB a second of a stream
    // that repeats itself.
    static constexpr double kPerInflatedByte = 5;
};
