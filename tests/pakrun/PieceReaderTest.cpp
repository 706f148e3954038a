#include <gtest/gtest.h>

#include "ByteSpan.h"
#include "CountingSource.h"
#include "MemorySource.h"
#include "PieceReader.h"

namespace {

std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

std::string Text(CByteView view)
{
    return std::string(reinterpret_cast<const char*>(view.Data()), view.Size());
}

}  // namespace

TEST(PieceReader, PiecesAreTheRangesBytesInAnyOrderAndNothingPastIt)
{
    const std::string bytes = Pattern(70000);
    CMemorySource memory(bytes.data(), bytes.size());
    CCountingSource source(memory);
    constexpr std::size_t kStart = 1000;
    constexpr std::size_t kSize = 60000;
    CPieceReader reader(source, kStart, kSize);
    const std::size_t offsets[] = {0, 5, 59990, 30000, 29000, 256, 255, 8191, 8192, 40000, 12, 59999, 60000};
    const std::size_t counts[] = {0, 1, 4, 100, 257, 8193, 20000};
    for (std::size_t offset : offsets) {
        for (std::size_t count : counts) {
            const CByteView piece = reader.Piece(offset, count);
            if (offset + count > kSize) {
                EXPECT_TRUE(piece.Empty()) << offset << "+" << count;
            } else {
                EXPECT_EQ(bytes.substr(kStart + offset, count), Text(piece)) << offset << "+" << count;
            }
        }
    }
    EXPECT_TRUE(reader.Piece(~std::size_t(0), 2).Empty());
    EXPECT_TRUE(reader.Piece(2, ~std::size_t(0)).Empty());
}

TEST(PieceReader, FarApartPiecesCopyASmallBlockEachAndCloseOnesShareLargeBlocks)
{
    const std::string bytes = Pattern(400000);
    CMemorySource memory(bytes.data(), bytes.size());
    CCountingSource source(memory);
    CPieceReader reader(source, 0, bytes.size());
    // The headers of big chunks: one read each, no more copied than a small block.
    for (std::size_t offset = 0; offset < 300000; offset += 10000) {
        EXPECT_EQ(bytes.substr(offset, 20), Text(reader.Piece(offset, 20)));
    }
    EXPECT_EQ(30u, source.Reads());
    EXPECT_LE(source.BytesRead(), 30 * CPieceReader::kSmallBlock);
    EXPECT_EQ(source.Reads(), reader.Reads());

    // The headers of small chunks one after another: a large block serves many.
    source.Reset();
    for (std::size_t offset = 300000; offset < 400000; offset += 300) {
        EXPECT_EQ(bytes.substr(offset, 20), Text(reader.Piece(offset, 20)));
    }
    EXPECT_LE(source.Reads(), 100000 / CPieceReader::kLargeBlock + 3);
    EXPECT_LE(source.BytesRead(), 100000 + CPieceReader::kLargeBlock);
}

TEST(PieceReader, PiecesThePackageCannotGiveAreEmpty)
{
    const std::string bytes = Pattern(10000);
    CMemorySource memory(bytes.data(), bytes.size());
    CCountingSource source(memory);
    source.FailFrom(6000);
    CPieceReader reader(source, 0, bytes.size());
    EXPECT_TRUE(reader.Piece(7000, 8).Empty());
    EXPECT_EQ(bytes.substr(5000, 8), Text(reader.Piece(5000, 8)));
    // A piece that the last block, cut short by the failure, does not hold.
    EXPECT_TRUE(reader.Piece(5990, 20).Empty());
    EXPECT_EQ(bytes.substr(100, 3), Text(reader.Piece(100, 3)));
}

TEST(ByteSpan, ReadFromThePackageAnswersAsInMemory)
{
    const std::string bytes = Pattern(3000);
    CMemorySource memory(bytes.data(), bytes.size());
    CCountingSource source(memory);
    CPieceReader reader(source, 500, 2000);
    const CByteSpan read(reader, 0, 2000);
    const CByteSpan held(CByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 500, 2000));
    for (const auto& [offset, count] : {std::pair<std::size_t, std::size_t>{0, 2000}, {100, 300}, {1990, 50}, {2000, 1}}) {
        const CByteSpan a = read.Sub(offset, count);
        const CByteSpan b = held.Sub(offset, count);
        ASSERT_EQ(b.Size(), a.Size()) << offset;
        for (std::size_t at = 0; at <= a.Size() + 4; ++at) {
            std::uint32_t x = 1;
            std::uint32_t y = 1;
            EXPECT_EQ(b.U32(at, y), a.U32(at, x)) << offset << " " << at;
            EXPECT_EQ(y, x);
            std::uint16_t s = 1;
            std::uint16_t t = 1;
            EXPECT_EQ(b.U16(at, t), a.U16(at, s));
            EXPECT_EQ(t, s);
            EXPECT_EQ(b.Contains(at, 3), a.Contains(at, 3));
            EXPECT_EQ(Text(b.Bytes(at, 3)), Text(a.Bytes(at, 3)));
        }
    }
    // A span cut to what the reader holds.
    EXPECT_EQ(100u, CByteSpan(reader, 1900, 5000).Size());
    EXPECT_EQ(0u, CByteSpan(reader, 9000, 5).Size());
}
