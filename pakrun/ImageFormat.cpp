#include "ImageFormat.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t Big16(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 8 | p[1];
}

std::uint32_t Little16(const std::uint8_t* p)
{
    return std::uint32_t(p[1]) << 8 | p[0];
}

std::uint32_t Little32(const std::uint8_t* p)
{
    return Little16(p + 2) << 16 | Little16(p);
}

// The first frame header's size: segments are walked by their lengths up to it.
bool JpegSize(const std::uint8_t* data, std::size_t size, std::uint32_t& width, std::uint32_t& height)
{
    std::size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF) return false;
        const std::uint8_t marker = data[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > size) return false;
            height = Big16(data + at + 5);
            width = Big16(data + at + 7);
            return true;
        }
        const bool standalone = marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9);
        at += standalone ? 2 : 2 + std::size_t(Big16(data + at + 2));
    }
    return false;
}

// A decoder draws the first frame into the logical screen, or takes the frame's own size:
// the larger of the two, each side, is what it decodes.
void GifFrameExtent(const std::uint8_t* data, std::size_t size, std::uint32_t& width, std::uint32_t& height)
{
    std::size_t pos = 13;
    if (size > 10 && (data[10] & 0x80)) pos += 3u << ((data[10] & 7) + 1);
    while (pos < size) {
        if (data[pos] == 0x2C) {
            if (pos + 9 > size) return;
            width = std::max<std::uint32_t>(width, std::uint32_t(Little16(data + pos + 1)) + Little16(data + pos + 5));
            height = std::max<std::uint32_t>(height, std::uint32_t(Little16(data + pos + 3)) + Little16(data + pos + 7));
            return;
        }
        if (data[pos] != 0x21 || pos + 2 >= size) return;
        // An extension: its label, then sub-blocks up to an empty one.
        pos += 2;
        while (pos < size && data[pos] != 0) pos += std::size_t(data[pos]) + 1;
        ++pos;
    }
}

bool WebPSize(const std::uint8_t* data, std::size_t size, std::uint32_t& width, std::uint32_t& height)
{
    if (size < 30) return false;
    const std::uint8_t* chunk = data + 12;
    if (std::memcmp(chunk, "VP8X", 4) == 0) {
        width = (Little32(data + 24) & 0xFFFFFF) + 1;
        height = (Little32(data + 26) >> 8) + 1;
        return true;
    }
    if (std::memcmp(chunk, "VP8L", 4) == 0 && data[20] == 0x2F) {
        const std::uint32_t bits = Little32(data + 21);
        width = (bits & 0x3FFF) + 1;
        height = ((bits >> 14) & 0x3FFF) + 1;
        return true;
    }
    if (std::memcmp(chunk, "VP8 ", 4) == 0 && data[23] == 0x9D && data[24] == 0x01 && data[25] == 0x2A) {
        width = Little16(data + 26) & 0x3FFF;
        height = Little16(data + 28) & 0x3FFF;
        return true;
    }
    return false;
}

}  // namespace

ImageKind CImageFormat::Sniff(const std::uint8_t* data, std::size_t size)
{
    auto startsWith = [&](const char* magic, std::size_t length, std::size_t at = 0) {
        return size >= at + length && std::memcmp(data + at, magic, length) == 0;
    };
    if (startsWith("\x89PNG\r\n\x1a\n", 8)) return ImageKind::Png;
    if (startsWith("\xFF\xD8\xFF", 3)) return ImageKind::Jpeg;
    if (startsWith("GIF87a", 6) || startsWith("GIF89a", 6)) return ImageKind::Gif;
    if (startsWith("BM", 2) && size >= 26) return ImageKind::Bmp;
    if (startsWith("RIFF", 4) && startsWith("WEBP", 4, 8)) return ImageKind::WebP;
    if (startsWith("\x03\x00\x08\x00", 4)) return ImageKind::BinaryXml;
    return ImageKind::Unknown;
}

bool CImageFormat::IsDecodable(ImageKind kind)
{
    return kind == ImageKind::Png || kind == ImageKind::Jpeg || kind == ImageKind::Gif || kind == ImageKind::Bmp;
}

bool CImageFormat::Size(const std::uint8_t* data, std::size_t size, std::uint32_t& width, std::uint32_t& height)
{
    switch (Sniff(data, size)) {
    case ImageKind::Png:
        if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0) return false;
        width = Big16(data + 16) << 16 | Big16(data + 18);
        height = Big16(data + 20) << 16 | Big16(data + 22);
        return true;
    case ImageKind::Gif:
        if (size < 10) return false;
        width = Little16(data + 6);
        height = Little16(data + 8);
        GifFrameExtent(data, size, width, height);
        return true;
    case ImageKind::Bmp: {
        // An old core header has 16-bit sides; a bottom-up bitmap a negative height.
        const bool core = Little32(data + 14) == 12;
        width = core ? Little16(data + 18) : Little32(data + 18);
        height = core ? Little16(data + 20) : Little32(data + 22);
        if (!core && (height & 0x80000000u)) height = 0u - height;
        return true;
    }
    case ImageKind::Jpeg: return JpegSize(data, size, width, height);
    case ImageKind::WebP: return WebPSize(data, size, width, height);
    default: return false;
    }
}

const char* CImageFormat::Name(ImageKind kind)
{
    switch (kind) {
    case ImageKind::Png: return "png";
    case ImageKind::Jpeg: return "jpeg";
    case ImageKind::Gif: return "gif";
    case ImageKind::Bmp: return "bmp";
    case ImageKind::WebP: return "webp";
    case ImageKind::BinaryXml: return "xml";
    case ImageKind::Unknown: break;
    }
    return "unknown";
}
