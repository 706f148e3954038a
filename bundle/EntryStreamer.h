// Hands the bytes of one ZIP entry, stored or deflated, to a sink a piece at a time, so
// that a part of hundreds of megabytes is copied out without being held. Checked against
// the entry's declared size and CRC-32.
#pragma once

#include <cstdint>
#include <functional>

#include "ByteSource.h"
#include "ZipArchive.h"

class CEntryStreamer {
public:
    // Takes each piece; false stops the streaming (a failed write, a cancel).
    using Sink = std::function<bool(const std::uint8_t* data, std::size_t size)>;

    // True when every byte went to the sink and they are exactly what the entry declares.
    static bool Stream(const CZipArchive& zip, CByteSource& source, const ZipEntry& entry, const Sink& sink);
};
