// The platform-free steps of painting: gradients laid out in pixels, samples reduced
// to the icon's pixels through the mask, and the PNG written from them.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cmath>
#include <cstdlib>

#include "GradientLayout.h"
#include "IconPixels.h"
#include "PngWriter.h"

namespace {

IconPaint Gradient(IconPaintKind kind, std::vector<IconGradientStop> stops, IconTileMode tile = IconTileMode::Clamp)
{
    IconPaint paint;
    paint.kind = kind;
    paint.stops = std::move(stops);
    paint.tile = tile;
    return paint;
}

float Offset(const PixelGradient& line, IconPoint p)
{
    const float dx = line.end.x - line.start.x, dy = line.end.y - line.start.y;
    return ((p.x - line.start.x) * dx + (p.y - line.start.y) * dy) / (dx * dx + dy * dy);
}

std::uint32_t Channel(std::uint32_t argb, int shift)
{
    return (argb >> shift) & 0xFF;
}

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 | std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

// The pixels of a PNG as CPngWriter writes it (one IDAT, 8-bit RGBA), its checksums
// checked, its filters undone.
std::vector<std::uint32_t> ReadPng(const std::vector<std::uint8_t>& png, int& width, int& height)
{
    std::vector<std::uint8_t> idat;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = Read32(png, at);
        const std::uint32_t crc = std::uint32_t(crc32(0, png.data() + at + 4, uInt(length + 4)));
        EXPECT_EQ(crc, Read32(png, at + 8 + length));
        const std::string type(png.begin() + std::ptrdiff_t(at) + 4, png.begin() + std::ptrdiff_t(at) + 8);
        if (type == "IHDR") {
            width = int(Read32(png, at + 8));
            height = int(Read32(png, at + 12));
            EXPECT_EQ(8, png[at + 16]);
            EXPECT_EQ(6, png[at + 17]);
        } else if (type == "IDAT") {
            idat.assign(png.begin() + std::ptrdiff_t(at) + 8, png.begin() + std::ptrdiff_t(at + 8 + length));
        }
        at += 12 + length;
    }
    const std::size_t stride = std::size_t(width) * 4;
    std::vector<std::uint8_t> raw((stride + 1) * std::size_t(height));
    uLongf rawSize = uLongf(raw.size());
    EXPECT_EQ(Z_OK, uncompress(raw.data(), &rawSize, idat.data(), uLong(idat.size())));
    std::vector<std::uint8_t> previous(stride, 0), row(stride);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = &raw[std::size_t(y) * (stride + 1)];
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= 4 ? row[i - 4] : 0, b = previous[i], c = i >= 4 ? previous[i - 4] : 0;
            const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            const int paeth = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
            const int predicted[] = {0, a, b, (a + b) / 2, paeth};
            EXPECT_LE(in[0], 4);
            row[i] = std::uint8_t(in[1 + i] + predicted[in[0] <= 4 ? in[0] : 0]);
        }
        for (std::size_t x = 0; x < std::size_t(width); ++x) {
            pixels.push_back(std::uint32_t(row[x * 4 + 3]) << 24 | std::uint32_t(row[x * 4]) << 16 |
                             std::uint32_t(row[x * 4 + 1]) << 8 | row[x * 4 + 2]);
        }
        previous = row;
    }
    return pixels;
}

}  // namespace

TEST(GradientLayout, LineInPixelsGivesTheSameColoursUnderAnyTransform)
{
    IconPaint paint = Gradient(IconPaintKind::Linear, {{0.2f, 0xFFFF0000}, {0.8f, 0xFF0000FF}}, IconTileMode::Repeat);
    paint.start = {10, 5};
    paint.end = {30, 15};
    // Turned, sheared and scaled unevenly: lines of one colour stay parallel, not square to the line.
    paint.transform = IconMatrix::Combine(IconMatrix::Rotate(30), IconMatrix::Scale(2, 0.5f));
    paint.transform.c = 0.7f;
    const PixelGradient line = CGradientLayout::Layout(paint, {0, 0, 100, 100}, 1, 0);
    ASSERT_EQ(IconPaintKind::Linear, line.kind);
    for (const IconPoint local : {IconPoint{10, 5}, IconPoint{30, 15}, IconPoint{0, 40}, IconPoint{-7, 3}}) {
        const float expected = ((local.x - 10) * 20 + (local.y - 5) * 10) / 500.0f;
        EXPECT_NEAR(expected, Offset(line, paint.transform.Apply(local)), 1e-4f);
    }
    // Stops padded to 0 and 1 with the end colours.
    ASSERT_EQ(4u, line.stops.size());
    EXPECT_EQ(0xFFFF0000u, line.stops[0].argb);
    EXPECT_EQ(0.0f, line.stops[0].offset);
    EXPECT_EQ(1.0f, line.stops[3].offset);
}

TEST(GradientLayout, ClampedLineCoversItsShapeWithTheEndColoursHeld)
{
    IconPaint paint = Gradient(IconPaintKind::Linear, {{0, 0xFFFF0000}, {1, 0xFF0000FF}});
    paint.start = {40, 0};
    paint.end = {60, 0};
    const PixelGradient line = CGradientLayout::Layout(paint, {0, 0, 100, 10}, 1, 0);
    // Every covered point falls inside the lengthened line, and gets the colour it had.
    for (const float x : {0.0f, 20.0f, 40.0f, 50.0f, 60.0f, 100.0f}) {
        const float t = Offset(line, {x, 5});
        EXPECT_GT(t, 0.0f);
        EXPECT_LT(t, 1.0f);
        const float original = std::fmin(std::fmax((x - 40) / 20, 0.0f), 1.0f);
        const std::uint32_t expected = CGradientLayout::ColourAt(paint.stops, original);
        const std::uint32_t seen = CGradientLayout::ColourAt(line.stops, t);
        EXPECT_NEAR(double(Channel(expected, 16)), double(Channel(seen, 16)), 1.0) << x;
        EXPECT_NEAR(double(Channel(expected, 0)), double(Channel(seen, 0)), 1.0) << x;
    }
}

TEST(GradientLayout, RadialComputedPixelByPixelOverTheCover)
{
    IconPaint paint = Gradient(IconPaintKind::Radial, {{0, 0xFFFFFFFF}, {1, 0x80000000}});
    paint.start = {25, 50};
    paint.radius = 10;
    paint.transform = IconMatrix::Scale(2, 1);  // an ellipse in pixels: 20 across, 10 down
    const PixelGradient radial = CGradientLayout::Layout(paint, {40, 40, 60, 60}, 2, 10000);
    ASSERT_EQ(IconPaintKind::Radial, radial.kind);
    const GradientPixels& pixels = radial.pixels;
    ASSERT_EQ(40, pixels.width);  // two per picture pixel
    ASSERT_EQ(40, pixels.height);
    auto at = [&](float x, float y) {
        return pixels.argb[std::size_t((y - pixels.top) * 2) * 40 + std::size_t((x - pixels.left) * 2)];
    };
    EXPECT_GT(Channel(at(49.9f, 49.9f), 24), 245u);  // the centre, nearly white
    EXPECT_GT(Channel(at(49.9f, 49.9f), 0), 240u);
    EXPECT_EQ(0x80000000u, at(59.9f, 40.1f));        // beyond the rim: the last colour
    // About halfway out along either axis of the ellipse (5 pixels down, 10 across):
    // about halfway between the colours, premultiplied (colour never above alpha).
    for (const std::uint32_t halfway : {at(59.9f, 50), at(50, 44.9f)}) {
        EXPECT_NEAR(191.0, double(Channel(halfway, 24)), 6.0);
        EXPECT_NEAR(95.0, double(Channel(halfway, 0)), 8.0);
    }
    // More pixels than allowed: not laid out.
    EXPECT_EQ(IconPaintKind::None, CGradientLayout::Layout(paint, {40, 40, 60, 60}, 2, 1599).kind);
    EXPECT_EQ(IconPaintKind::None, CGradientLayout::Layout(paint, {40, 40, 40, 60}, 2, 10000).kind);
}

TEST(GradientLayout, SweepTurnsClockwiseFromTheRight)
{
    IconPaint paint = Gradient(IconPaintKind::Sweep, {{0, 0xFF000000}, {1, 0xFFFFFFFF}});
    paint.start = {10, 10};
    EXPECT_NEAR(0.0f, CGradientLayout::OffsetAt(paint, {20, 10}), 1e-6f);
    EXPECT_NEAR(0.25f, CGradientLayout::OffsetAt(paint, {10, 20}), 1e-6f);  // below: the screen's y grows down
    EXPECT_NEAR(0.5f, CGradientLayout::OffsetAt(paint, {0, 10}), 1e-6f);
    EXPECT_NEAR(0.75f, CGradientLayout::OffsetAt(paint, {10, 0}), 1e-6f);
    const PixelGradient sweep = CGradientLayout::Layout(paint, {0, 0, 20, 20}, 1, 400);
    ASSERT_EQ(IconPaintKind::Sweep, sweep.kind);
    EXPECT_LT(Channel(sweep.pixels.argb[10 * 20 + 19], 0), Channel(sweep.pixels.argb[19 * 20 + 10], 0));
}

TEST(GradientLayout, ColoursBetweenStopsAndTilesBeyondThem)
{
    const std::vector<IconGradientStop> stops = {{0.5f, 0x00000000}, {1, 0xFFFF0000}};
    EXPECT_EQ(0x00000000u, CGradientLayout::ColourAt(stops, 0.2f));
    EXPECT_EQ(0x80800000u, CGradientLayout::ColourAt(stops, 0.75f));
    EXPECT_EQ(0xFFFF0000u, CGradientLayout::ColourAt(stops, 3));
    EXPECT_FLOAT_EQ(0.25f, CGradientLayout::Tiled(2.25f, IconTileMode::Repeat));
    EXPECT_FLOAT_EQ(0.75f, CGradientLayout::Tiled(1.25f, IconTileMode::Mirror));
    EXPECT_FLOAT_EQ(0.25f, CGradientLayout::Tiled(2.25f, IconTileMode::Mirror));
    EXPECT_FLOAT_EQ(0.25f, CGradientLayout::Tiled(-0.25f, IconTileMode::Mirror));
    EXPECT_FLOAT_EQ(1.5f, CGradientLayout::Tiled(1.5f, IconTileMode::Clamp));
    IconPaint flat = Gradient(IconPaintKind::Linear, {{0, 0xFF000000}, {1, 0xFFFFFFFF}});
    flat.end = {1, 0};
    flat.transform = IconMatrix::Scale(0, 1);  // flattened to a line: nothing to lay out
    EXPECT_EQ(IconPaintKind::None, CGradientLayout::Layout(flat, {0, 0, 1, 1}, 1, 100).kind);
}

TEST(IconPixels, SamplesAveragedThroughTheRoundedSquare)
{
    // Every sample opaque orange: the middle and the edges stay orange, the corners go.
    const int side = 20, factor = 4;
    const std::vector<std::uint32_t> samples(std::size_t(side * factor * side * factor), 0xFFFF8000);
    const std::vector<std::uint32_t> out = CIconPixels::Reduce(samples.data(), side * factor, side, factor, 5);
    EXPECT_EQ(0xFFFF8000u, out[10 * side + 10]);
    EXPECT_EQ(0xFFFF8000u, out[10]);            // the middle of the top edge
    EXPECT_EQ(0u, out[0]);                      // the corner
    const std::uint32_t rim = out[1 * side + 1];  // on the corner's curve: partly covered, same colour
    EXPECT_GT(rim >> 24, 0u);
    EXPECT_LT(rim >> 24, 255u);
    EXPECT_EQ(0x00FF8000u, rim & 0x00FFFFFFu);
    EXPECT_EQ(0xFFFF8000u, CIconPixels::Reduce(samples.data(), side * factor, side, factor, 0)[0]);  // no mask
}

TEST(IconPixels, PremultipliedSamplesBecomeStraightColour)
{
    // One opaque white sample of four: a quarter alpha, white. Half-alpha red, premultiplied.
    const std::uint32_t mixed[4] = {0xFFFFFFFF, 0, 0, 0};
    EXPECT_EQ(0x40FFFFFFu, CIconPixels::Reduce(mixed, 2, 1, 2, 0)[0]);
    const std::uint32_t half[1] = {0x80800000};
    EXPECT_EQ(0x80FF0000u, CIconPixels::Reduce(half, 1, 1, 1, 0)[0]);
    EXPECT_TRUE(CIconPixels::InsideMask(50, 0.5f, 100, 20));
    EXPECT_FALSE(CIconPixels::InsideMask(2, 2, 100, 20));
    EXPECT_TRUE(CIconPixels::InsideMask(7, 7, 100, 20));
    EXPECT_FALSE(CIconPixels::InsideMask(101, 50, 100, 20));
}

TEST(PngWriter, RowsFilteredAndDeflatedComeBackExactly)
{
    // Rows that suit different filters: flat, a ramp, noise.
    const int width = 9, height = 6;
    std::vector<std::uint32_t> pixels;
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const std::uint32_t ramp = std::uint32_t(x * 28) << 16 | std::uint32_t(y * 40) << 8 | 0xFF000000u;
            pixels.push_back(y < 2 ? 0x80336699u : y < 4 ? ramp : noise);
        }
    }
    const std::vector<std::uint8_t> png = CPngWriter::Write(pixels.data(), width, height);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n"), std::string(png.begin(), png.begin() + 8));
    int readWidth = 0, readHeight = 0;
    EXPECT_EQ(pixels, ReadPng(png, readWidth, readHeight));
    EXPECT_EQ(width, readWidth);
    EXPECT_EQ(height, readHeight);
    EXPECT_TRUE(CPngWriter::Write(pixels.data(), 0, 5).empty());
}
