#include "ZipInflater.h"

#include <zlib.h>

#include <algorithm>

namespace {

constexpr std::size_t kInputChunk = 64 * 1024;
constexpr std::size_t kOutputChunk = 64 * 1024;

// Owns a raw-inflate stream.
class CInflateStream {
public:
    CInflateStream() { m_bReady = inflateInit2(&m_stream, -MAX_WBITS) == Z_OK; }
    ~CInflateStream()
    {
        if (m_bReady) inflateEnd(&m_stream);
    }
    CInflateStream(const CInflateStream&) = delete;
    CInflateStream& operator=(const CInflateStream&) = delete;

    bool Ready() const { return m_bReady; }
    z_stream& Stream() { return m_stream; }

private:
    z_stream m_stream{};
    bool m_bReady = false;
};

}  // namespace

ZipReadStatus CZipInflater::Inflate(CByteSource& source, std::uint64_t offset,
                                    std::uint64_t compressedSize, std::size_t outputLimit,
                                    std::vector<std::uint8_t>& out, CReadBudget* budget)
{
    out.clear();
    CInflateStream inflater;
    if (!inflater.Ready()) return ZipReadStatus::Failed;
    z_stream& stream = inflater.Stream();

    std::vector<std::uint8_t> input(static_cast<std::size_t>(std::min<std::uint64_t>(kInputChunk, compressedSize)) + 1);
    std::uint64_t consumed = 0;
    // Reserve a little ahead of need only: a lying declared size must not allocate.
    out.reserve(std::min<std::size_t>(outputLimit, kOutputChunk));
    std::vector<std::uint8_t> buffer(kOutputChunk);
    std::uint8_t* const chunk = buffer.data();

    for (;;) {
        if (stream.avail_in == 0) {
            if (consumed >= compressedSize) return ZipReadStatus::Damaged;
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(input.size(), compressedSize - consumed));
            const std::size_t got = source.ReadAt(offset + consumed, input.data(), want);
            if (got == 0) return ZipReadStatus::Damaged;
            consumed += got;
            stream.next_in = input.data();
            stream.avail_in = static_cast<uInt>(got);
        }
        stream.next_out = chunk;
        stream.avail_out = static_cast<uInt>(kOutputChunk);
        const int result = inflate(&stream, Z_NO_FLUSH);
        const std::size_t produced = kOutputChunk - stream.avail_out;
        const std::size_t room = outputLimit - out.size();
        const std::size_t kept = std::min(produced, room);
        if (budget && (!budget->Fits(out.size() + kept) || !budget->Spend(kPerInflatedByte * double(kept)))) {
            if (!budget->Fits(out.size() + kept)) budget->MarkCut(budget->Current());
            return ZipReadStatus::Truncated;
        }
        out.insert(out.end(), chunk, chunk + std::min(produced, room));
        if (produced > room) return ZipReadStatus::Truncated;
        if (result == Z_STREAM_END) return ZipReadStatus::Complete;
        if (result != Z_OK && result != Z_BUF_ERROR) return ZipReadStatus::Damaged;
        if (result == Z_BUF_ERROR && stream.avail_in != 0) return ZipReadStatus::Damaged;
        // At the limit the loop goes on: the next output either ends the stream (complete)
        // or is one byte too many (truncated).
    }
}
