// What kind of image a file holds, told by its first bytes, and whether the Windows
// graphics library can decode it.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ImageKind { Unknown, Png, Jpeg, Gif, Bmp, WebP, BinaryXml };

class CImageFormat {
public:
    static ImageKind Sniff(const std::uint8_t* data, std::size_t size);
    // PNG, JPEG, GIF and BMP: what GDI+ decodes everywhere.
    static bool IsDecodable(ImageKind kind);
    // The picture's width and height as its header gives them (PNG, JPEG, GIF, BMP and
    // WebP); false when the header does not say. A GIF's is the larger of its logical
    // screen and its first frame's extent, as a decoder's pixels take.
    static bool Size(const std::uint8_t* data, std::size_t size, std::uint32_t& width, std::uint32_t& height);
    // "png", "jpeg", "gif", "bmp", "webp", "xml" or "unknown".
    static const char* Name(ImageKind kind);
};
