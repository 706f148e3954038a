#include "GifFile.h"

#include <cstring>

namespace {

std::uint16_t ReadLe16(const std::uint8_t* p)
{
    return std::uint16_t(p[0] | (p[1] << 8));
}

void WriteLe16(std::uint8_t* p, std::uint32_t value)
{
    p[0] = std::uint8_t(value & 0xFF);
    p[1] = std::uint8_t((value >> 8) & 0xFF);
}

// 3 x 2^(n + 1) bytes, n being the low three bits of a packed field.
std::size_t ColourTableSize(std::uint8_t packed)
{
    return (packed & 0x80) ? 3u * (std::size_t(2) << (packed & 7)) : 0;
}

// A chain that starts after the data's end is as invalid as one that runs past it.
std::size_t ChainAfter(const std::uint8_t* data, std::size_t size, std::size_t position, std::size_t fixed)
{
    if (position > size || fixed > size - position) return 0;
    const std::size_t chain = GetGifSubBlockChainSize(data, size, position + fixed);
    return chain ? fixed + chain : 0;
}

}  // namespace

bool HasGifSignature(const std::uint8_t* data, std::size_t size)
{
    return size >= 3 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F';
}

bool ReadGifScreen(const std::uint8_t* data, std::size_t size, GifScreen& screen)
{
    if (!HasGifSignature(data, size) || size < kGifHeaderSize) return false;
    const std::size_t tableSize = ColourTableSize(data[10]);
    if (tableSize > size - kGifHeaderSize) return false;
    screen.width = ReadLe16(data + 6);
    screen.height = ReadLe16(data + 8);
    screen.globalTableSize = tableSize;
    screen.background = 0xFFFFFF;
    if (tableSize) {
        const std::size_t index = data[11];
        if (3 * index + 2 < tableSize) {
            const std::uint8_t* entry = data + kGifHeaderSize + 3 * index;
            screen.background =
                std::uint32_t(entry[0]) | (std::uint32_t(entry[1]) << 8) | (std::uint32_t(entry[2]) << 16);
        }
    }
    return true;
}

GifBlock GetGifBlockKind(const std::uint8_t* data, std::size_t size, std::size_t position)
{
    if (position >= size) return GifBlock::Unrecognised;
    switch (data[position]) {
    case 0x2C: return GifBlock::ImageDescriptor;
    case 0x3B: return GifBlock::Trailer;
    case 0x21: break;
    default: return GifBlock::Unrecognised;
    }
    if (position + 1 >= size) return GifBlock::Unrecognised;
    switch (data[position + 1]) {
    case 0xFF: return GifBlock::Application;
    case 0xFE: return GifBlock::Comment;
    case 0xF9: return GifBlock::GraphicControl;
    case 0x01: return GifBlock::PlainText;
    default: return GifBlock::Unrecognised;
    }
}

std::size_t GetGifSubBlockChainSize(const std::uint8_t* data, std::size_t size, std::size_t position)
{
    std::size_t length = 0;
    for (;;) {
        if (position >= size) return 0;
        const std::size_t n = data[position];
        if (n == 0) return length + 1;
        length += n + 1;
        position += n + 1;
    }
}

std::size_t GetGifBlockSize(const std::uint8_t* data, std::size_t size, std::size_t position)
{
    switch (GetGifBlockKind(data, size, position)) {
    case GifBlock::Application: return ChainAfter(data, size, position, 14);
    case GifBlock::Comment: return ChainAfter(data, size, position, 2);
    case GifBlock::GraphicControl: return 8;
    case GifBlock::PlainText: return ChainAfter(data, size, position, 15);
    case GifBlock::Trailer: return 1;
    case GifBlock::ImageDescriptor:
        if (size - position <= 9) return 0;
        // The descriptor, its local colour table, the code size byte, the image data.
        return ChainAfter(data, size, position, 10 + ColourTableSize(data[position + 9]) + 1);
    case GifBlock::Unrecognised: break;
    }
    return 0;
}

CGifWalker::CGifWalker(const std::uint8_t* data, std::size_t size, std::size_t globalTableSize)
    : m_pData(data), m_nSize(size), m_nFirstBlock(kGifHeaderSize + globalTableSize), m_nPosition(m_nFirstBlock)
{
}

void CGifWalker::Rewind()
{
    m_nPosition = m_nFirstBlock;
}

bool CGifWalker::SkipBlock()
{
    const std::size_t n = GetGifBlockSize(m_pData, m_nSize, m_nPosition);
    if (n == 0 || m_nPosition > m_nSize || n > m_nSize - m_nPosition) return false;
    m_nPosition += n;
    return true;
}

bool CGifWalker::SkipFrame()
{
    GifFrameInfo frame;
    return ExtractFrame(frame);
}

bool CGifWalker::ExtractFrame(GifFrameInfo& frame)
{
    frame = GifFrameInfo();
    for (GifBlock kind = KindHere(); kind == GifBlock::Application || kind == GifBlock::Comment; kind = KindHere()) {
        if (!SkipBlock()) return false;
    }

    const std::size_t start = m_nPosition;
    GifBlock kind = KindHere();
    if (kind == GifBlock::GraphicControl) {
        if (!SkipBlock()) return false;  // checks that all 8 bytes are there
        frame.delay = ReadLe16(m_pData + start + 4);
        frame.disposal = (m_pData[start + 3] >> 2) & 7;
        for (kind = KindHere(); kind == GifBlock::Application || kind == GifBlock::Comment ||
                                kind == GifBlock::GraphicControl;
             kind = KindHere()) {
            if (!SkipBlock()) return false;
        }
    }
    if (kind != GifBlock::ImageDescriptor && kind != GifBlock::PlainText) return false;

    const std::size_t last = m_nPosition;
    if (!SkipBlock()) return false;
    if (kind == GifBlock::ImageDescriptor) {
        const std::uint8_t* descriptor = m_pData + last;
        frame.hasImage = true;
        frame.imageOffset = last;
        frame.left = ReadLe16(descriptor + 1);
        frame.top = ReadLe16(descriptor + 3);
        frame.width = ReadLe16(descriptor + 5);
        frame.height = ReadLe16(descriptor + 7);
    }
    frame.start = start;
    frame.length = m_nPosition - start;
    return true;
}

std::size_t GifFrameFileSize(std::size_t globalTableSize, const GifFrameInfo& frame)
{
    return kGifHeaderSize + globalTableSize + frame.length + 1;
}

void WriteGifFrameFile(const std::uint8_t* data, std::size_t globalTableSize, const GifFrameInfo& frame,
                       std::uint8_t* out)
{
    const std::size_t header = kGifHeaderSize + globalTableSize;
    std::memcpy(out, data, header);
    std::memcpy(out + header, data + frame.start, frame.length);
    out[header + frame.length] = 0x3B;
    if (frame.hasImage) {
        WriteLe16(out + 6, std::uint32_t(frame.width));
        WriteLe16(out + 8, std::uint32_t(frame.height));
        std::uint8_t* descriptor = out + header + (frame.imageOffset - frame.start);
        WriteLe16(descriptor + 1, 0);
        WriteLe16(descriptor + 3, 0);
    }
}

std::uint32_t GifFrameWaitMs(std::uint32_t delay)
{
    if (delay == kGifNoDelay || delay < 5) return 25;
    return delay <= 0xFFFF ? delay * 10 : 0xFFFF * 10;  // a control extension holds 16 bits
}
