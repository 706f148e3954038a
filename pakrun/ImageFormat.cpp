#include "ImageFormat.h"

#include <cstring>

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
