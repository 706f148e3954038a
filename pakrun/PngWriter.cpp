#include "PngWriter.h"

#include <zlib.h>

#include <cstdlib>

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kBytesPerPixel = 4;

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    PutU32(out, std::uint32_t(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutU32(out, std::uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

std::uint8_t Paeth(int a, int b, int c)
{
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return std::uint8_t(a);
    return std::uint8_t(pb <= pc ? b : c);
}

// The row under filter type (0 none, 1 sub, 2 up, 4 Paeth); prior is the row above, or zeros.
void Filter(int type, const std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::uint8_t* out)
{
    for (std::size_t i = 0; i < length; ++i) {
        const int left = i >= kBytesPerPixel ? row[i - kBytesPerPixel] : 0;
        const int upLeft = i >= kBytesPerPixel ? prior[i - kBytesPerPixel] : 0;
        int predicted = 0;
        if (type == 1) predicted = left;
        else if (type == 2) predicted = prior[i];
        else if (type == 4) predicted = Paeth(left, prior[i], upLeft);
        out[i] = std::uint8_t(row[i] - predicted);
    }
}

// Filtered rows, each led by its filter type: the type whose bytes, taken as signed,
// add up to the least, the usual guess at what deflates best.
std::vector<std::uint8_t> FilteredRows(const std::uint32_t* pixels, int width, int height)
{
    const std::size_t length = std::size_t(width) * kBytesPerPixel;
    std::vector<std::uint8_t> previous(length, 0), current(length), trial(length), best(length);
    std::vector<std::uint8_t> out;
    out.reserve((length + 1) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            std::uint8_t* at = &current[std::size_t(x) * kBytesPerPixel];
            at[0] = std::uint8_t(p >> 16);
            at[1] = std::uint8_t(p >> 8);
            at[2] = std::uint8_t(p);
            at[3] = std::uint8_t(p >> 24);
        }
        long bestScore = -1;
        int bestType = 0;
        for (const int type : {0, 1, 2, 4}) {
            Filter(type, current.data(), previous.data(), length, trial.data());
            long score = 0;
            for (const std::uint8_t b : trial) score += b < 128 ? b : 256 - b;
            if (bestScore < 0 || score < bestScore) {
                bestScore = score;
                bestType = type;
                best.swap(trial);
            }
        }
        out.push_back(std::uint8_t(bestType));
        out.insert(out.end(), best.begin(), best.end());
        previous.swap(current);
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> CPngWriter::Write(const std::uint32_t* pixels, int width, int height)
{
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return {};
    const std::vector<std::uint8_t> raw = FilteredRows(pixels, width, height);
    std::vector<std::uint8_t> deflated(compressBound(uLong(raw.size())));
    uLongf deflatedSize = uLongf(deflated.size());
    if (compress2(deflated.data(), &deflatedSize, raw.data(), uLong(raw.size()), Z_BEST_COMPRESSION) != Z_OK) return {};
    deflated.resize(deflatedSize);

    std::vector<std::uint8_t> header;
    PutU32(header, std::uint32_t(width));
    PutU32(header, std::uint32_t(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace
    std::vector<std::uint8_t> png(kSignature, kSignature + sizeof kSignature);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", deflated);
    PutChunk(png, "IEND", {});
    return png;
}
