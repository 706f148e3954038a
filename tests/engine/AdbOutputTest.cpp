#include <gtest/gtest.h>

#include "AdbOutput.h"

TEST(AdbOutputChunks, NothingGivesNoChunk)
{
    EXPECT_TRUE(CutAdbOutputChunks("").empty());
}

TEST(AdbOutputChunks, FifteenHundredBytesGiveTwoChunks)
{
    const auto chunks = CutAdbOutputChunks(std::string(1500, 'x'));
    ASSERT_EQ(2u, chunks.size());
    EXPECT_EQ(1024u, chunks[0].size());
    EXPECT_EQ(476u, chunks[1].size());
}

TEST(AdbOutputChunks, ExactlyTwoChunks)
{
    const auto chunks = CutAdbOutputChunks(std::string(2048, 'x'));
    ASSERT_EQ(2u, chunks.size());
    EXPECT_EQ(1024u, chunks[1].size());
}

TEST(AdbOutputChunks, NulDropsRestOfItsChunkOnly)
{
    std::string raw(1024, 'a');
    raw[10] = '\0';
    raw += "tail";
    const auto chunks = CutAdbOutputChunks(raw);
    ASSERT_EQ(2u, chunks.size());
    EXPECT_EQ(std::string(10, 'a'), chunks[0]);
    EXPECT_EQ("tail", chunks[1]);
}

TEST(AdbOutputChunks, ChunkStartingWithNulAddsNothing)
{
    std::string raw(1024, 'a');
    raw += std::string("\0bc", 3);
    const auto chunks = CutAdbOutputChunks(raw);
    ASSERT_EQ(1u, chunks.size());
}

TEST(AdbOutputChunks, MultibyteCharacterCutAtBoundaryStaysSplit)
{
    std::string raw(1023, 'a');
    raw += "\xE4\xB8\xAD";  // one UTF-8 character across the boundary
    const auto chunks = CutAdbOutputChunks(raw);
    ASSERT_EQ(2u, chunks.size());
    EXPECT_EQ('\xE4', chunks[0].back());
    EXPECT_EQ("\xB8\xAD", chunks[1]);
}
