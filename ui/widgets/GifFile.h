// Walking the blocks of a GIF file and cutting it into standalone one-frame GIFs, for
// the busy indicator. Pure code over bytes: every read is checked against the data's size.
#pragma once

#include <cstddef>
#include <cstdint>

enum class GifBlock {
    Application,      // 0x21 0xFF
    Comment,          // 0x21 0xFE
    GraphicControl,   // 0x21 0xF9
    PlainText,        // 0x21 0x01
    ImageDescriptor,  // 0x2C
    Trailer,          // 0x3B
    Unrecognised,     // anything else, also 0x21 with another label or past the end
};

// The signature, version and logical screen descriptor: 13 bytes.
constexpr std::size_t kGifHeaderSize = 13;

// The delay of a frame that has no graphic control extension.
constexpr std::uint32_t kGifNoDelay = 0xFFFFFFFF;

struct GifScreen {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::size_t globalTableSize = 0;  // bytes; 0 when there is no global colour table
    std::uint32_t background = 0xFFFFFF;  // the background index's entry, 0x00BBGGRR
};

// True when the data starts with "GIF" (any version).
bool HasGifSignature(const std::uint8_t* data, std::size_t size);

// Reads the logical screen descriptor and the background colour from the global colour
// table. False when the data is too short to hold the header and that table.
bool ReadGifScreen(const std::uint8_t* data, std::size_t size, GifScreen& screen);

GifBlock GetGifBlockKind(const std::uint8_t* data, std::size_t size, std::size_t position);

// The length of the data sub-block chain at position, its zero terminator included;
// 0 when the chain runs past the end of the data.
std::size_t GetGifSubBlockChainSize(const std::uint8_t* data, std::size_t size, std::size_t position);

// The length of the block at position; 0 for an unrecognised block or one whose data
// chain runs past the end. A fixed-size block may still be longer than what is left.
std::size_t GetGifBlockSize(const std::uint8_t* data, std::size_t size, std::size_t position);

// One frame as found in the file.
struct GifFrameInfo {
    std::size_t start = 0;   // offset of the frame's first block (its control extension, if any)
    std::size_t length = 0;  // bytes of every block of the frame
    std::uint32_t delay = kGifNoDelay;  // hundredths of a second
    std::uint32_t disposal = 0;
    bool hasImage = false;   // the frame ends in an image descriptor, not in plain text
    std::size_t imageOffset = 0;  // offset of that image descriptor
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Steps through the frames of a GIF, from the first block after the global colour table.
class CGifWalker {
public:
    CGifWalker(const std::uint8_t* data, std::size_t size, std::size_t globalTableSize);

    // Back to the first block after the header and global colour table.
    void Rewind();

    // Moves past the next frame: application and comment extensions, then either a
    // control extension with the extensions after it and the image descriptor (or plain
    // text) that ends it, or that descriptor alone. False at the trailer, at an
    // unrecognised block or where a block runs past the end; the position then stays
    // where the walk stopped.
    bool SkipFrame();

    // As SkipFrame, and reports where the frame lies and what its blocks say. Extensions
    // before the frame's first block are not part of it; those between its control
    // extension and its descriptor are.
    bool ExtractFrame(GifFrameInfo& frame);

    std::size_t Position() const { return m_nPosition; }

private:
    GifBlock KindHere() const { return GetGifBlockKind(m_pData, m_nSize, m_nPosition); }
    bool SkipBlock();

    const std::uint8_t* m_pData;
    std::size_t m_nSize;
    std::size_t m_nFirstBlock;
    std::size_t m_nPosition;
};

// The size of the standalone one-frame GIF that WriteGifFrameFile makes.
std::size_t GifFrameFileSize(std::size_t globalTableSize, const GifFrameInfo& frame);

// Writes a standalone GIF of one frame into out (GifFrameFileSize bytes): the header and
// global colour table of data, the frame's blocks, and the trailer. For a frame with an
// image, its logical screen is the image's own size and the image sits at (0, 0), so that
// the picture decoded from it is exactly the frame, whichever decoder reads it; the frame's
// place in the animation is in frame.left and frame.top.
void WriteGifFrameFile(const std::uint8_t* data, std::size_t globalTableSize, const GifFrameInfo& frame,
                       std::uint8_t* out);

// How long a frame stays on show: its delay in milliseconds, but 25 ms for delays of 0 to
// 4 hundredths and for a frame without a control extension.
std::uint32_t GifFrameWaitMs(std::uint32_t delay);
