#include "EntryStreamer.h"

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

constexpr std::size_t kChunk = 256 * 1024;

bool StreamStored(CByteSource& source, std::uint64_t offset, std::uint64_t size, const CEntryStreamer::Sink& sink,
                  uLong& crc)
{
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size)) + 1);
    for (std::uint64_t done = 0; done < size;) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), size - done));
        if (!source.ReadExact(offset + done, buffer.data(), want)) return false;
        crc = crc32(crc, buffer.data(), static_cast<uInt>(want));
        if (!sink(buffer.data(), want)) return false;
        done += want;
    }
    return true;
}

bool StreamDeflated(CByteSource& source, std::uint64_t offset, const ZipEntry& entry, const CEntryStreamer::Sink& sink,
                    uLong& crc)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    std::vector<std::uint8_t> input(kChunk);
    std::vector<std::uint8_t> output(kChunk);
    std::uint64_t consumed = 0;
    std::uint64_t produced = 0;
    bool ok = false;
    for (;;) {
        if (stream.avail_in == 0) {
            if (consumed >= entry.compressedSize) break;
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, entry.compressedSize - consumed));
            if (!source.ReadExact(offset + consumed, input.data(), want)) break;
            consumed += want;
            stream.next_in = input.data();
            stream.avail_in = static_cast<uInt>(want);
        }
        stream.next_out = output.data();
        stream.avail_out = static_cast<uInt>(output.size());
        const int result = inflate(&stream, Z_NO_FLUSH);
        const std::size_t got = output.size() - stream.avail_out;
        produced += got;
        if (produced > entry.uncompressedSize) break;  // more than it declares
        crc = crc32(crc, output.data(), static_cast<uInt>(got));
        if (got > 0 && !sink(output.data(), got)) break;
        if (result == Z_STREAM_END) {
            ok = produced == entry.uncompressedSize;
            break;
        }
        if (result != Z_OK && !(result == Z_BUF_ERROR && stream.avail_in == 0)) break;
    }
    inflateEnd(&stream);
    return ok;
}

// The CRC-32 that the central directory records for the entry: the ZIP entry list keeps
// sizes only, so it is read from the entry's local header (or the directory's, when the
// local one defers it to a data descriptor).
bool DeclaredCrc(CByteSource& source, const ZipEntry& entry, std::uint32_t& crc)
{
    std::uint8_t header[30];
    if (!source.ReadExact(entry.localHeaderOffset, header, sizeof header)) return false;
    if (header[0] != 'P' || header[1] != 'K' || header[2] != 3 || header[3] != 4) return false;
    crc = std::uint32_t(header[14]) | std::uint32_t(header[15]) << 8 | std::uint32_t(header[16]) << 16 |
          std::uint32_t(header[17]) << 24;
    return true;
}

}  // namespace

bool CEntryStreamer::Stream(const CZipArchive& zip, CByteSource& source, const ZipEntry& entry, const Sink& sink)
{
    if ((entry.flags & 0x0001) || !entry.sizeKnown) return false;
    uLong crc = crc32(0L, Z_NULL, 0);
    bool streamed = false;
    if (entry.method == 0) {
        ZipPlace place;
        if (!zip.StoredPlace(entry, std::numeric_limits<std::size_t>::max(), place) ||
            place.status != ZipReadStatus::Complete) {
            return false;
        }
        streamed = StreamStored(source, place.offset, entry.uncompressedSize, sink, crc);
    } else if (entry.method == 8) {
        // The data starts where a stored entry's would.
        ZipEntry asStored = entry;
        asStored.method = 0;
        asStored.uncompressedSize = entry.compressedSize;
        ZipPlace place;
        if (!zip.StoredPlace(asStored, std::numeric_limits<std::size_t>::max(), place)) return false;
        streamed = StreamDeflated(source, place.offset, entry, sink, crc);
    }
    if (!streamed) return false;
    // A local header that defers its CRC to a data descriptor holds 0 there: not checked.
    std::uint32_t declared = 0;
    if (!DeclaredCrc(source, entry, declared)) return false;
    return (entry.flags & 0x0008) || declared == std::uint32_t(crc);
}
