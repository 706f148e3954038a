#include <gtest/gtest.h>

#include <vector>

#include "GifBuilder.h"
#include "GifFile.h"
#include "WidgetsTestPaths.h"

namespace {

const std::vector<GifColour> kFourColours = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {255, 255, 255}};

const std::uint8_t* Bytes(const std::string& data)
{
    return reinterpret_cast<const std::uint8_t*>(data.data());
}

struct Walk {
    GifScreen screen;
    std::vector<GifFrameInfo> frames;
    std::size_t stoppedAt = 0;
};

Walk WalkAll(const std::string& data)
{
    Walk walk;
    EXPECT_TRUE(ReadGifScreen(Bytes(data), data.size(), walk.screen));
    CGifWalker walker(Bytes(data), data.size(), walk.screen.globalTableSize);
    GifFrameInfo frame;
    while (walker.ExtractFrame(frame)) walk.frames.push_back(frame);
    walk.stoppedAt = walker.Position();
    return walk;
}

std::size_t CountFrames(const std::string& data)
{
    GifScreen screen;
    if (!ReadGifScreen(Bytes(data), data.size(), screen)) return 0;
    CGifWalker walker(Bytes(data), data.size(), screen.globalTableSize);
    std::size_t count = 0;
    while (walker.SkipFrame()) ++count;
    return count;
}

std::string FrameFile(const std::string& data, const Walk& walk, std::size_t index)
{
    std::string file(GifFrameFileSize(walk.screen.globalTableSize, walk.frames[index]), '\0');
    WriteGifFrameFile(Bytes(data), walk.screen.globalTableSize, walk.frames[index],
                      reinterpret_cast<std::uint8_t*>(&file[0]));
    return file;
}

}  // namespace

TEST(GifBlocks, SizesOfEveryKind)
{
    const std::string app = CGifBuilder(1, 1, {}).Looping().Bytes().substr(13);
    const std::string comment = CGifBuilder(1, 1, {}).Comment("hello").Bytes().substr(13);
    const std::string control = CGifBuilder(1, 1, {}).Control(1, 6, 0).Bytes().substr(13);
    const std::string text = CGifBuilder(1, 1, {}).PlainText("abc").Bytes().substr(13);
    const std::string image = CGifBuilder(1, 1, {}).SolidImage(0, 0, 2, 2, 1).Bytes().substr(13);
    const std::string local = CGifBuilder(1, 1, {}).Image(0, 0, 1, 1, {0}, kFourColours).Bytes().substr(13);

    EXPECT_EQ(GifBlock::Application, GetGifBlockKind(Bytes(app), app.size(), 0));
    EXPECT_EQ(app.size(), GetGifBlockSize(Bytes(app), app.size(), 0));
    EXPECT_EQ(GifBlock::Comment, GetGifBlockKind(Bytes(comment), comment.size(), 0));
    EXPECT_EQ(2u + 1 + 5 + 1, GetGifBlockSize(Bytes(comment), comment.size(), 0));
    EXPECT_EQ(GifBlock::GraphicControl, GetGifBlockKind(Bytes(control), control.size(), 0));
    EXPECT_EQ(8u, GetGifBlockSize(Bytes(control), control.size(), 0));
    EXPECT_EQ(GifBlock::PlainText, GetGifBlockKind(Bytes(text), text.size(), 0));
    EXPECT_EQ(15u + 1 + 3 + 1, GetGifBlockSize(Bytes(text), text.size(), 0));
    EXPECT_EQ(GifBlock::ImageDescriptor, GetGifBlockKind(Bytes(image), image.size(), 0));
    EXPECT_EQ(image.size(), GetGifBlockSize(Bytes(image), image.size(), 0));
    EXPECT_EQ(local.size(), GetGifBlockSize(Bytes(local), local.size(), 0));
    EXPECT_EQ(10u + 12 + 1 + GetGifSubBlockChainSize(Bytes(local), local.size(), 23), local.size());

    const std::string trailer = "\x3B";
    EXPECT_EQ(GifBlock::Trailer, GetGifBlockKind(Bytes(trailer), 1, 0));
    EXPECT_EQ(1u, GetGifBlockSize(Bytes(trailer), 1, 0));
}

TEST(GifBlocks, UnrecognisedAndTruncatedBlocksHaveNoSize)
{
    const std::string unknownLabel("\x21\x99\x00", 3);
    EXPECT_EQ(GifBlock::Unrecognised, GetGifBlockKind(Bytes(unknownLabel), 3, 0));
    EXPECT_EQ(0u, GetGifBlockSize(Bytes(unknownLabel), 3, 0));
    const std::string lone("\x21", 1);
    EXPECT_EQ(GifBlock::Unrecognised, GetGifBlockKind(Bytes(lone), 1, 0));
    EXPECT_EQ(GifBlock::Unrecognised, GetGifBlockKind(Bytes(lone), 1, 5));  // past the end

    const std::string comment = CGifBuilder(1, 1, {}).Comment("hello").Bytes().substr(13);
    for (std::size_t cut = 1; cut < comment.size(); ++cut) {
        EXPECT_EQ(0u, GetGifBlockSize(Bytes(comment), cut, 0)) << cut;
    }
    const std::string image = CGifBuilder(1, 1, {}).Image(0, 0, 1, 1, {0}, kFourColours).Bytes().substr(13);
    for (std::size_t cut = 1; cut < image.size(); ++cut) {
        EXPECT_EQ(0u, GetGifBlockSize(Bytes(image), cut, 0)) << cut;
    }
}

TEST(GifBlocks, SubBlockChainCountsLengthsAndTerminator)
{
    const std::string chain("\x03" "abc" "\x01" "d" "\x00", 7);
    EXPECT_EQ(7u, GetGifSubBlockChainSize(Bytes(chain), chain.size(), 0));
    EXPECT_EQ(1u, GetGifSubBlockChainSize(Bytes(chain), chain.size(), 6));
    EXPECT_EQ(0u, GetGifSubBlockChainSize(Bytes(chain), 6, 0));  // terminator missing
    EXPECT_EQ(0u, GetGifSubBlockChainSize(Bytes(chain), 3, 0));  // sub-block cut short
}

TEST(GifScreen, ReadsSizeTableAndBackgroundColour)
{
    const std::string data = CGifBuilder(300, 20, kFourColours, 1).Bytes();
    GifScreen screen;
    ASSERT_TRUE(ReadGifScreen(Bytes(data), data.size(), screen));
    EXPECT_EQ(300, screen.width);
    EXPECT_EQ(20, screen.height);
    EXPECT_EQ(12u, screen.globalTableSize);
    EXPECT_EQ(0x0000FFu, screen.background);  // red, as 0x00BBGGRR

    const std::string bare = CGifBuilder(5, 6, {}, 3).Bytes();
    ASSERT_TRUE(ReadGifScreen(Bytes(bare), bare.size(), screen));
    EXPECT_EQ(0u, screen.globalTableSize);
    EXPECT_EQ(0xFFFFFFu, screen.background);

    EXPECT_FALSE(ReadGifScreen(Bytes(data), 12, screen));              // header cut
    EXPECT_FALSE(ReadGifScreen(Bytes(data), data.size() - 1, screen));  // table cut
    const std::string png = "\x89PNG\r\n\x1A\n0000000000";
    EXPECT_FALSE(ReadGifScreen(Bytes(png), png.size(), screen));
    EXPECT_TRUE(HasGifSignature(Bytes(std::string("GIF87a")), 6));
    EXPECT_TRUE(HasGifSignature(Bytes(std::string("GIF")), 3));
    EXPECT_FALSE(HasGifSignature(Bytes(std::string("GI")), 2));
}

TEST(GifWalk, ResourceAnimationHasEightFramesOfSixtyMilliseconds)
{
    const std::string data = ReadImageFile("busy.gif");
    const Walk walk = WalkAll(data);
    EXPECT_EQ(16, walk.screen.width);
    EXPECT_EQ(16, walk.screen.height);
    EXPECT_EQ(256u * 3, walk.screen.globalTableSize);
    EXPECT_EQ(0xFFFFFFu, walk.screen.background);
    ASSERT_EQ(8u, walk.frames.size());
    EXPECT_EQ(GifBlock::Trailer, GetGifBlockKind(Bytes(data), data.size(), walk.stoppedAt));

    bool narrowOrLow = false;
    for (const GifFrameInfo& frame : walk.frames) {
        EXPECT_EQ(6u, frame.delay);
        EXPECT_EQ(1u, frame.disposal);
        ASSERT_EQ(GifBlock::GraphicControl, GetGifBlockKind(Bytes(data), data.size(), frame.start));
        EXPECT_EQ(1, data[frame.start + 3] & 1) << "transparent index flag";
        EXPECT_TRUE(frame.hasImage);
        EXPECT_TRUE(frame.left == 0 || frame.left == 2);
        EXPECT_TRUE(frame.top == 0 || frame.top == 2);
        EXPECT_EQ(16, frame.left + frame.width);
        EXPECT_EQ(16, frame.top + frame.height);
        narrowOrLow = narrowOrLow || frame.width == 14 || frame.height == 14;
    }
    EXPECT_TRUE(narrowOrLow);
    EXPECT_EQ(16, walk.frames[0].width);
    EXPECT_EQ(16, walk.frames[0].height);
}

TEST(GifWalk, PicturesMadeByImageMagick)
{
    const std::string three = ReadWidgetsTestData("im-three-frames.gif");
    const Walk walk = WalkAll(three);
    ASSERT_EQ(3u, walk.frames.size());
    EXPECT_EQ(GifBlock::Trailer, GetGifBlockKind(Bytes(three), three.size(), walk.stoppedAt));
    EXPECT_EQ(7u, walk.frames[0].delay);
    EXPECT_EQ(1u, walk.frames[0].disposal);
    EXPECT_EQ(2u, walk.frames[1].disposal);
    EXPECT_EQ(3u, walk.frames[2].disposal);
    EXPECT_EQ(4, walk.frames[1].left);
    EXPECT_EQ(2, walk.frames[1].top);
    EXPECT_EQ(8, walk.frames[1].width);
    EXPECT_EQ(5, walk.frames[1].height);

    EXPECT_EQ(1u, CountFrames(ReadWidgetsTestData("im-one-frame.gif")));
    EXPECT_EQ(2u, CountFrames(ReadWidgetsTestData("im-local-tables.gif")));
    EXPECT_EQ(0u, CountFrames(ReadWidgetsTestData("im-still.bmp")));
}

TEST(GifWalk, ExtensionsBeforeAFrameAreSkippedThoseAfterItsControlAreKept)
{
    CGifBuilder gif(4, 4, kFourColours);
    gif.Looping().Comment("before").Control(2, 9, 0);
    const std::size_t frameStart = gif.Size() - 8;
    gif.Comment("inside").Application("XMPDataXMP!", "meta").SolidImage(1, 1, 2, 2, 1).Trailer();
    const Walk walk = WalkAll(gif.Bytes());
    ASSERT_EQ(1u, walk.frames.size());
    const GifFrameInfo& frame = walk.frames[0];
    EXPECT_EQ(frameStart, frame.start);
    EXPECT_EQ(gif.Size() - 1 - frameStart, frame.length);
    EXPECT_EQ(9u, frame.delay);
    EXPECT_EQ(2u, frame.disposal);
    EXPECT_EQ(1, frame.left);
    EXPECT_EQ(2, frame.width);
}

TEST(GifWalk, FrameWithoutControlExtensionHasNoDelay)
{
    const std::string data =
        CGifBuilder(4, 4, kFourColours).Comment("c").SolidImage(0, 0, 4, 4, 1).PlainText("hi").Trailer().Bytes();
    const Walk walk = WalkAll(data);
    ASSERT_EQ(2u, walk.frames.size());
    EXPECT_EQ(kGifNoDelay, walk.frames[0].delay);
    EXPECT_EQ(0u, walk.frames[0].disposal);
    EXPECT_TRUE(walk.frames[0].hasImage);
    EXPECT_FALSE(walk.frames[1].hasImage);  // plain text ends a frame too
    EXPECT_EQ(0, walk.frames[1].width);
}

TEST(GifWalk, BlocksRunningPastTheEndStopTheWalkThere)
{
    CGifBuilder gif(4, 4, kFourColours);
    gif.Control(1, 5).SolidImage(0, 0, 4, 4, 1).Control(1, 5).SolidImage(0, 0, 4, 4, 2);
    const std::size_t secondEnd = gif.Size();
    gif.Control(1, 5).SolidImage(0, 0, 4, 4, 3).Trailer();
    const std::string& whole = gif.Bytes();

    EXPECT_EQ(3u, CountFrames(whole));
    EXPECT_EQ(3u, CountFrames(whole.substr(0, whole.size() - 1)));  // no trailer
    for (std::size_t cut = secondEnd; cut < whole.size() - 1; ++cut) {
        EXPECT_EQ(2u, CountFrames(whole.substr(0, cut))) << cut;
    }
    const std::string oversized = whole.substr(0, secondEnd) + std::string("\x21\xFE\x40", 3) + "short";
    EXPECT_EQ(2u, CountFrames(oversized));
    EXPECT_EQ(0u, CountFrames(whole.substr(0, 13 + 12 + 5)));  // inside the first control extension
}

TEST(GifWalk, UnrecognisedBlockOrControlWithoutImageEndsTheWalk)
{
    CGifBuilder gif(2, 2, kFourColours);
    const std::string stray = gif.SolidImage(0, 0, 2, 2, 1).Raw(std::string(1, '\0')).SolidImage(0, 0, 2, 2, 1).Bytes();
    EXPECT_EQ(1u, CountFrames(stray));
    const std::string dangling = CGifBuilder(2, 2, kFourColours).Control(1, 5).Trailer().Bytes();
    EXPECT_EQ(0u, CountFrames(dangling));
}

TEST(GifFrameFile, StandaloneFrameHoldsHeaderBlocksAndTrailerWithFrameAsScreen)
{
    CGifBuilder gif(20, 10, kFourColours, 3);
    gif.Looping().Control(3, 12, 0).Comment("kept").SolidImage(5, 4, 6, 3, 2).Trailer();
    const std::string& data = gif.Bytes();
    const Walk walk = WalkAll(data);
    ASSERT_EQ(1u, walk.frames.size());
    const std::string file = FrameFile(data, walk, 0);

    ASSERT_EQ(13u + 12 + walk.frames[0].length + 1, file.size());
    EXPECT_EQ(data.substr(0, 6), file.substr(0, 6));
    EXPECT_EQ(data.substr(10, 3 + 12), file.substr(10, 3 + 12));  // flags, background, table
    EXPECT_EQ('\x3B', file.back());

    GifScreen screen;
    ASSERT_TRUE(ReadGifScreen(Bytes(file), file.size(), screen));
    EXPECT_EQ(6, screen.width);
    EXPECT_EQ(3, screen.height);
    const Walk again = WalkAll(file);
    ASSERT_EQ(1u, again.frames.size());
    EXPECT_EQ(0, again.frames[0].left);
    EXPECT_EQ(0, again.frames[0].top);
    EXPECT_EQ(6, again.frames[0].width);
    EXPECT_EQ(12u, again.frames[0].delay);
    EXPECT_EQ(3u, again.frames[0].disposal);
    EXPECT_EQ(GifBlock::Trailer, GetGifBlockKind(Bytes(file), file.size(), again.stoppedAt));
    // Everything after the descriptor's position fields is copied unchanged.
    const std::size_t image = walk.frames[0].imageOffset;
    EXPECT_EQ(data.substr(walk.frames[0].start, image - walk.frames[0].start + 1),
              file.substr(13 + 12, image - walk.frames[0].start + 1));
    EXPECT_EQ(data.substr(image + 5, walk.frames[0].start + walk.frames[0].length - image - 5),
              file.substr(13 + 12 + image - walk.frames[0].start + 5,
                          walk.frames[0].start + walk.frames[0].length - image - 5));
}

TEST(GifFrameWait, ShortDelaysAndMissingDelaysWaitTwentyFiveMilliseconds)
{
    for (std::uint32_t delay = 0; delay <= 4; ++delay) EXPECT_EQ(25u, GifFrameWaitMs(delay)) << delay;
    EXPECT_EQ(50u, GifFrameWaitMs(5));
    EXPECT_EQ(60u, GifFrameWaitMs(6));
    EXPECT_EQ(655350u, GifFrameWaitMs(0xFFFF));
    EXPECT_EQ(25u, GifFrameWaitMs(kGifNoDelay));
}
