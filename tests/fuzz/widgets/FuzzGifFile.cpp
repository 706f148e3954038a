// Any bytes as the busy indicator's picture: the frame walk, and the standalone one-frame
// GIFs cut from it, which must each walk as exactly that frame.
#include <cstdint>
#include <vector>

#include "GifFile.h"

namespace {

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

void CheckStandalone(const std::uint8_t* data, const GifScreen& screen, const GifFrameInfo& frame)
{
    std::vector<std::uint8_t> file(GifFrameFileSize(screen.globalTableSize, frame));
    WriteGifFrameFile(data, screen.globalTableSize, frame, file.data());
    GifScreen own;
    Check(ReadGifScreen(file.data(), file.size(), own));
    Check(own.globalTableSize == screen.globalTableSize);
    CGifWalker walker(file.data(), file.size(), own.globalTableSize);
    GifFrameInfo again;
    Check(walker.ExtractFrame(again));
    Check(again.length == frame.length && again.delay == frame.delay && again.disposal == frame.disposal);
    Check(again.hasImage == frame.hasImage && again.width == frame.width && again.height == frame.height);
    Check(again.left == 0 && again.top == 0);
    Check(GetGifBlockKind(file.data(), file.size(), walker.Position()) == GifBlock::Trailer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (std::size_t position = 0; position < size && position < 1024; ++position) {
        GetGifBlockSize(data, size, position);
    }
    GifScreen screen;
    if (!ReadGifScreen(data, size, screen)) return 0;

    CGifWalker counter(data, size, screen.globalTableSize);
    std::size_t count = 0;
    while (counter.SkipFrame()) ++count;

    CGifWalker walker(data, size, screen.globalTableSize);
    GifFrameInfo frame;
    std::size_t extracted = 0;
    while (walker.ExtractFrame(frame)) {
        ++extracted;
        Check(frame.length > 0 && frame.start >= kGifHeaderSize + screen.globalTableSize);
        Check(frame.start <= size && frame.length <= size - frame.start);
        Check(GifFrameWaitMs(frame.delay) >= 25);
        CheckStandalone(data, screen, frame);
    }
    Check(extracted == count);
    Check(walker.Position() == counter.Position());
    return 0;
}
