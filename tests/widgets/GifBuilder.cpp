#include "GifBuilder.h"

namespace {

void PutLe16(std::string& out, unsigned value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

// LZW data made of literal codes only, with a clear code before the code table would
// grow past the first code width: valid for every decoder, just not compressed.
std::string EncodeLiterals(const std::vector<std::uint8_t>& indices, unsigned minCodeSize)
{
    const unsigned clear = 1u << minCodeSize, end = clear + 1, width = minCodeSize + 1;
    const unsigned perClear = (1u << minCodeSize) - 2;
    std::string out;
    unsigned long bits = 0;
    unsigned count = 0;
    auto emit = [&](unsigned code) {
        bits |= static_cast<unsigned long>(code) << count;
        count += width;
        while (count >= 8) {
            out += char(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    };
    emit(clear);
    unsigned sinceClear = 0;
    for (std::uint8_t index : indices) {
        if (sinceClear == perClear) {
            emit(clear);
            sinceClear = 0;
        }
        emit(index);
        ++sinceClear;
    }
    emit(end);
    if (count) out += char(bits & 0xFF);
    return out;
}

}  // namespace

unsigned GifTableBits(std::size_t colours)
{
    unsigned bits = 0;
    while ((std::size_t(2) << bits) < colours) ++bits;
    return bits;
}

CGifBuilder::CGifBuilder(std::uint16_t width, std::uint16_t height, const std::vector<GifColour>& colours,
                         std::uint8_t background, const char* version)
{
    m_bytes = std::string("GIF") + version;
    PutLe16(m_bytes, width);
    PutLe16(m_bytes, height);
    m_bytes += char(colours.empty() ? 0 : 0x80 | 0x70 | GifTableBits(colours.size()));
    m_bytes += char(background);
    m_bytes += char(0);
    if (!colours.empty()) ColourTable(colours);
}

void CGifBuilder::ColourTable(const std::vector<GifColour>& colours)
{
    const std::size_t entries = std::size_t(2) << GifTableBits(colours.size());
    for (std::size_t i = 0; i < entries; ++i) {
        const GifColour c = i < colours.size() ? colours[i] : GifColour{0, 0, 0};
        m_bytes += char(c.r);
        m_bytes += char(c.g);
        m_bytes += char(c.b);
    }
}

void CGifBuilder::SubBlocks(const std::string& data)
{
    for (std::size_t i = 0; i < data.size(); i += 255) {
        const std::string chunk = data.substr(i, 255);
        m_bytes += char(chunk.size());
        m_bytes += chunk;
    }
    m_bytes += char(0);
}

CGifBuilder& CGifBuilder::Application(const std::string& identifier11, const std::string& data)
{
    m_bytes += "\x21\xFF\x0B";
    m_bytes += identifier11.substr(0, 11);
    SubBlocks(data);
    return *this;
}

CGifBuilder& CGifBuilder::Comment(const std::string& text)
{
    m_bytes += "\x21\xFE";
    SubBlocks(text);
    return *this;
}

CGifBuilder& CGifBuilder::Control(unsigned disposal, std::uint16_t delay, int transparent)
{
    m_bytes += "\x21\xF9\x04";
    m_bytes += char(((disposal & 7) << 2) | (transparent >= 0 ? 1 : 0));
    PutLe16(m_bytes, delay);
    m_bytes += char(transparent >= 0 ? transparent : 0);
    m_bytes += char(0);
    return *this;
}

CGifBuilder& CGifBuilder::Image(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                                const std::vector<std::uint8_t>& indices, const std::vector<GifColour>& localColours)
{
    m_bytes += char(0x2C);
    PutLe16(m_bytes, left);
    PutLe16(m_bytes, top);
    PutLe16(m_bytes, width);
    PutLe16(m_bytes, height);
    m_bytes += char(localColours.empty() ? 0 : 0x80 | GifTableBits(localColours.size()));
    if (!localColours.empty()) ColourTable(localColours);
    const unsigned minCodeSize = 8;  // any index fits
    m_bytes += char(minCodeSize);
    SubBlocks(EncodeLiterals(indices, minCodeSize));
    return *this;
}

CGifBuilder& CGifBuilder::SolidImage(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                                     std::uint8_t index)
{
    return Image(left, top, width, height, std::vector<std::uint8_t>(std::size_t(width) * height, index));
}

CGifBuilder& CGifBuilder::PlainText(const std::string& text)
{
    m_bytes += "\x21\x01\x0C";
    m_bytes += std::string(12, '\0');  // grid, cell size and colours: not read here
    SubBlocks(text);
    return *this;
}

CGifBuilder& CGifBuilder::Raw(const std::string& bytes)
{
    m_bytes += bytes;
    return *this;
}
