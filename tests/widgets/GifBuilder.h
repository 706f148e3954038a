// Builds GIF files block by block for the tests, with image data that real decoders read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GifColour {
    std::uint8_t r, g, b;
};

class CGifBuilder {
public:
    // "GIF89a" (or another version), the logical screen and a global colour table, padded
    // with black to a power of two; no table when colours is empty.
    CGifBuilder(std::uint16_t width, std::uint16_t height, const std::vector<GifColour>& colours,
                std::uint8_t background = 0, const char* version = "89a");

    CGifBuilder& Application(const std::string& identifier11, const std::string& data);
    CGifBuilder& Looping() { return Application("NETSCAPE2.0", std::string("\x01\x00\x00", 3)); }
    CGifBuilder& Comment(const std::string& text);
    // Graphic control extension; transparent < 0 for none.
    CGifBuilder& Control(unsigned disposal, std::uint16_t delay, int transparent = -1);
    // An image of palette indices, row by row, with an optional local colour table.
    CGifBuilder& Image(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                       const std::vector<std::uint8_t>& indices, const std::vector<GifColour>& localColours = {});
    CGifBuilder& SolidImage(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                            std::uint8_t index);
    CGifBuilder& PlainText(const std::string& text);
    CGifBuilder& Raw(const std::string& bytes);
    CGifBuilder& Trailer() { return Raw("\x3B"); }

    const std::string& Bytes() const { return m_bytes; }
    const std::uint8_t* Data() const { return reinterpret_cast<const std::uint8_t*>(m_bytes.data()); }
    std::size_t Size() const { return m_bytes.size(); }

private:
    void ColourTable(const std::vector<GifColour>& colours);
    void SubBlocks(const std::string& data);

    std::string m_bytes;
};

// The bits of a colour table's size field for this many colours (table of 2^(bits+1)).
unsigned GifTableBits(std::size_t colours);
