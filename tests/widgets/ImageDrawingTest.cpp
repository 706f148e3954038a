#include <gtest/gtest.h>

#include <string>

#include "ImageDrawing.h"
#include "PixelCanvas.h"
#include "PngResource.h"

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);

// A pattern in which every pixel differs from its neighbours, to see shifts and scaling.
Gdiplus::ARGB Pattern(int x, int y)
{
    return Opaque(RGB(40 + 3 * x, 30 + 3 * y, (x * 7 + y * 13) % 256));
}

COLORREF PatternColour(int x, int y)
{
    const Gdiplus::ARGB argb = Pattern(x, y);
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

struct Box {
    int left, top, right, bottom;  // right and bottom exclusive
};

// The smallest box around every pixel that is not the background.
Box DrawnBounds(const CPixelCanvas& canvas)
{
    Box box{canvas.Width(), canvas.Height(), 0, 0};
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.Pixel(x, y) == kBackground) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    return box;
}

void DrawFitted(CPixelCanvas& canvas, int width, int height)
{
    const CGdipImage image = MakeImage(width, height, [](int x, int y) { return Pattern(x, y); });
    canvas.DrawWithGdiPlus([&](CGdipGraphics& g) { DrawImageFitted(g, Gdiplus::Rect(9, 35, 70, 70), &image); });
}

}  // namespace

TEST(DrawImageFitted, SmallerImageIsDrawnUnscaledInTheBoxCentre)
{
    CPixelCanvas canvas(120, 120, kBackground);
    DrawFitted(canvas, 55, 56);
    for (int y = 0; y < 56; ++y) {
        for (int x = 0; x < 55; ++x) ASSERT_EQ(PatternColour(x, y), canvas.Pixel(16 + x, 42 + y)) << x << "," << y;
    }
    const Box box = DrawnBounds(canvas);
    EXPECT_EQ(16, box.left);
    EXPECT_EQ(42, box.top);
    EXPECT_EQ(16 + 55, box.right);
    EXPECT_EQ(42 + 56, box.bottom);
}

TEST(DrawImageFitted, LargerImagesShrinkToFitKeepingTheirShape)
{
    const struct {
        int width, height;
        Box expected;
    } cases[] = {
        {96, 96, {9, 35, 79, 105}},
        {140, 70, {9, 52, 79, 87}},
        {70, 140, {26, 35, 61, 105}},
    };
    for (const auto& c : cases) {
        CPixelCanvas canvas(120, 120, kBackground);
        DrawFitted(canvas, c.width, c.height);
        const Box box = DrawnBounds(canvas);
        // Resampling may touch the pixels along the edges a little, never more.
        EXPECT_NEAR(c.expected.left, box.left, 1) << c.width << " x " << c.height;
        EXPECT_NEAR(c.expected.top, box.top, 1) << c.width << " x " << c.height;
        EXPECT_NEAR(c.expected.right, box.right, 1) << c.width << " x " << c.height;
        EXPECT_NEAR(c.expected.bottom, box.bottom, 1) << c.width << " x " << c.height;
        const int midX = (c.expected.left + c.expected.right) / 2, midY = (c.expected.top + c.expected.bottom) / 2;
        EXPECT_NE(kBackground, canvas.Pixel(midX, midY));
    }
}

TEST(DrawImageFitted, AtLargerScalesPicturesGrowAsTheLayoutDoesButNeverPastTheBox)
{
    const CGdipImage image = MakeImage(48, 48, [](int x, int y) { return Pattern(x, y); });
    const struct {
        int dpi, side;
    } cases[] = {{144, 72}, {192, 96}, {288, 140}};
    for (const auto& c : cases) {
        CPixelCanvas canvas(160, 160, kBackground);
        canvas.DrawWithGdiPlus(
            [&](CGdipGraphics& g) { DrawImageFitted(g, Gdiplus::Rect(10, 10, 140, 140), &image, c.dpi); });
        const Box box = DrawnBounds(canvas);
        EXPECT_NEAR(c.side, box.right - box.left, 1) << c.dpi;
        EXPECT_NEAR(80 - c.side / 2, box.left, 1) << c.dpi;
    }
}

TEST(DrawImageFitted, NoImageDrawsNothing)
{
    CPixelCanvas canvas(120, 120, kBackground);
    const CGdipImage empty;
    canvas.DrawWithGdiPlus([&](CGdipGraphics& g) {
        DrawImageFitted(g, Gdiplus::Rect(9, 35, 70, 70), nullptr);
        DrawImageFitted(g, Gdiplus::Rect(9, 35, 70, 70), &empty);
    });
    EXPECT_EQ(0, canvas.CountOtherThan(kBackground));
}

namespace {

// A 40 x 40 frame skin whose nine parts each have a colour of their own.
constexpr COLORREF kTopLeft = RGB(200, 0, 0), kTop = RGB(0, 160, 0), kTopRight = RGB(0, 0, 200);
constexpr COLORREF kLeft = RGB(200, 200, 0), kRight = RGB(0, 200, 200), kCentre = RGB(128, 128, 128);
constexpr COLORREF kBottomLeft = RGB(200, 0, 200), kBottom = RGB(250, 140, 0), kBottomRight = RGB(100, 0, 160);

COLORREF SkinPart(int x, int y)
{
    const int column = x < 5 ? 0 : x < 35 ? 1 : 2;
    const int row = y < 26 ? 0 : y < 35 ? 1 : 2;
    const COLORREF parts[3][3] = {
        {kTopLeft, kTop, kTopRight}, {kLeft, kCentre, kRight}, {kBottomLeft, kBottom, kBottomRight}};
    return parts[row][column];
}

CGdipImage MakeSkin()
{
    return MakeImage(40, 40, [](int x, int y) { return Opaque(SkinPart(x, y)); });
}

void ExpectArea(const CPixelCanvas& canvas, const Box& area, COLORREF colour, const char* what)
{
    int wrong = 0;
    std::string first;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF pixel = canvas.Pixel(x, y);
            if (pixel == colour) continue;
            if (wrong++ < 6) first += " (" + std::to_string(x) + "," + std::to_string(y) + ")=" + std::to_string(pixel);
        }
    }
    EXPECT_EQ(0, wrong) << what << ", wrong:" << first;
}

// Wine's GDI+ neither keeps to the source rectangle nor honours the wrap mode when it
// stretches a piece: the last few pixels blend with the image's next pixels, and the first
// row or column can round away. Along a stretched edge, these ends are left out.
Box StretchedInterior(const Box& edge, bool horizontal, int sourceLength)
{
    const int length = horizontal ? edge.right - edge.left : edge.bottom - edge.top;
    const int margin = (length + sourceLength - 1) / sourceLength + 1;
    return horizontal ? Box{edge.left + margin, edge.top, edge.right - margin, edge.bottom}
                      : Box{edge.left, edge.top + margin, edge.right, edge.bottom - margin};
}

void ExpectFrame(const CPixelCanvas& canvas, int x, int y, int w, int h)
{
    const int right = x + w - 5, bottom = y + h - 5;
    ExpectArea(canvas, {x, y, x + 5, y + 26}, kTopLeft, "top-left corner");
    ExpectArea(canvas, {right, y, right + 5, y + 26}, kTopRight, "top-right corner");
    ExpectArea(canvas, {x, bottom, x + 5, bottom + 5}, kBottomLeft, "bottom-left corner");
    ExpectArea(canvas, {right, bottom, right + 5, bottom + 5}, kBottomRight, "bottom-right corner");
    ExpectArea(canvas, StretchedInterior({x + 5, y, right, y + 26}, true, 30), kTop, "top edge");
    ExpectArea(canvas, StretchedInterior({x + 5, bottom, right, bottom + 5}, true, 30), kBottom, "bottom edge");
    ExpectArea(canvas, StretchedInterior({x, y + 26, x + 5, bottom}, false, 9), kLeft, "left edge");
    ExpectArea(canvas, StretchedInterior({right, y + 26, right + 5, bottom}, false, 9), kRight, "right edge");
    ExpectArea(canvas, {x + 5, y + 26, right, bottom}, kBackground, "centre");
    ExpectArea(canvas, {x + w, 0, canvas.Width(), canvas.Height()}, kBackground, "right of the frame");
    ExpectArea(canvas, {0, y + h, canvas.Width(), canvas.Height()}, kBackground, "below the frame");
}

}  // namespace

TEST(DrawFrameSkin, WindowFrameCornersUnscaledEdgesStretchedCentreLeftOut)
{
    const CGdipImage skin = MakeSkin();
    for (int height : {160, 347}) {  // the window with its permission panel closed and open
        CPixelCanvas canvas(390, 350, kBackground);
        canvas.DrawWithGdiPlus([&](CGdipGraphics& g) {
            DrawFrameSkin(g, skin, Gdiplus::Rect(0, 0, 386, height), Gdiplus::Rect(0, 0, 40, 40));
        });
        SCOPED_TRACE(height);
        ExpectFrame(canvas, 0, 0, 386, height);
    }
}

TEST(DrawFrameSkin, SourceRectangleSelectsThePartOfTheImage)
{
    // The skin sits at (10, 20) of a larger image whose other pixels are black.
    const CGdipImage sheet = MakeImage(60, 70, [](int x, int y) {
        const bool inSkin = x >= 10 && x < 50 && y >= 20 && y < 60;
        return inSkin ? Opaque(SkinPart(x - 10, y - 20)) : Opaque(RGB(0, 0, 0));
    });
    CPixelCanvas canvas(210, 110, kBackground);
    canvas.DrawWithGdiPlus([&](CGdipGraphics& g) {
        DrawFrameSkin(g, sheet, Gdiplus::Rect(2, 2, 200, 100), Gdiplus::Rect(10, 20, 40, 40));
    });
    ExpectFrame(canvas, 2, 2, 200, 100);
}

TEST(DrawFrameSkin, ScaledSkinsFillTheirEdgesToTheCorners)
{
    // The skins of 125, 150 and 200 % on the windows of those scales.
    const struct {
        int size, side, top, width, height;
    } cases[] = {{50, 6, 33, 483, 200}, {60, 8, 39, 579, 240}, {80, 10, 52, 772, 320}};
    for (const auto& c : cases) {
        const CGdipImage skin = MakeImage(c.size, c.size, [&](int x, int y) {
            const bool top = y < c.top, side = x < c.side || x >= c.size - c.side;
            return Opaque(top ? (side ? kTopLeft : kTop) : side ? kLeft : kCentre);
        });
        CPixelCanvas canvas(c.width, c.height, kBackground);
        canvas.DrawWithGdiPlus([&](CGdipGraphics& g) {
            DrawFrameSkin(g, skin, Gdiplus::Rect(0, 0, c.width, c.height), Gdiplus::Rect(0, 0, c.size, c.size),
                          SkinBorders{c.side, c.top, c.side, c.side});
        });
        for (const int y : {0, c.top / 2, c.top - 1}) {
            EXPECT_EQ(kTop, canvas.Pixel(c.side, y)) << c.size << " row " << y;
            EXPECT_EQ(kTop, canvas.Pixel(c.width - c.side - 1, y)) << c.size << " row " << y;
        }
        EXPECT_EQ(kLeft, canvas.Pixel(0, c.top)) << c.size;
        EXPECT_EQ(kLeft, canvas.Pixel(c.side - 1, c.height - c.side - 1)) << c.size;
    }
}

TEST(DrawFrameSkin, SmallDestinationGetsTheWholeSkinStretched)
{
    const CGdipImage skin = MakeSkin();
    const struct {
        Gdiplus::Rect destination;
    } cases[] = {{Gdiplus::Rect(3, 4, 10, 60)}, {Gdiplus::Rect(3, 4, 100, 31)}};
    for (const auto& c : cases) {
        CPixelCanvas canvas(110, 70, kBackground);
        canvas.DrawWithGdiPlus(
            [&](CGdipGraphics& g) { DrawFrameSkin(g, skin, c.destination, Gdiplus::Rect(0, 0, 40, 40)); });
        const Gdiplus::Rect& d = c.destination;
        // The skin's centre lies at 30 of 40 rows and in the middle columns.
        const COLORREF middle = canvas.Pixel(d.X + d.Width / 2, d.Y + d.Height * 30 / 40);
        EXPECT_TRUE(NearColour(kCentre, middle, 12)) << d.Width << " x " << d.Height << ": " << std::hex << middle;
        EXPECT_EQ(kBackground, canvas.Pixel(d.X + d.Width + 1, d.Y + d.Height / 2));
        EXPECT_EQ(kBackground, canvas.Pixel(d.X + d.Width / 2, d.Y + d.Height + 1));
    }
}

namespace {

// Two frames of 9 pixels (caps of 3), 4 rows; every pixel its own colour.
COLORREF StripColour(int x, int y)
{
    return RGB(10 + 13 * x, 20 + 50 * y, 90);
}

}  // namespace

TEST(DrawStateSkin, CapsAtOwnWidthMiddleTiledMirroredNothingScaled)
{
    const CGdipImage strip = MakeImage(18, 4, [](int x, int y) { return Opaque(StripColour(x, y)); });
    CPixelCanvas canvas(30, 8, kBackground);
    canvas.DrawWithGdiPlus([&](CGdipGraphics& g) { DrawStateSkin(g, strip, 2, 1, Gdiplus::Rect(2, 1, 20, 3)); });

    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 20; ++column) {
            int source;
            if (column < 3) {
                source = 9 + column;
            } else if (column >= 17) {
                source = 9 + 6 + (column - 17);
            } else {
                const int offset = column - 3, tile = offset / 3, within = offset % 3;
                source = 9 + 3 + (tile % 2 == 0 ? within : 2 - within);
            }
            ASSERT_EQ(StripColour(source, row), canvas.Pixel(2 + column, 1 + row)) << column << "," << row;
        }
    }
    // A destination lower than the strip shows its top rows only.
    EXPECT_EQ(20 * 3, canvas.CountOtherThan(kBackground));
}

TEST(MissingImage, LoadsEmptyAndDrawsNothing)
{
    const CGdipImage missing = LoadPngResource(::GetModuleHandleW(nullptr), 4242);
    EXPECT_FALSE(missing);
    EXPECT_NE(Gdiplus::Ok, missing.Status());
    UINT width = 7, height = 7;
    GetImageSize(missing, width, height);
    EXPECT_EQ(0u, width);
    EXPECT_EQ(0u, height);

    CPixelCanvas canvas(100, 60, kBackground);
    canvas.DrawWithGdiPlus([&](CGdipGraphics& g) {
        DrawImageFitted(g, Gdiplus::Rect(0, 0, 70, 70), &missing);
        DrawFrameSkin(g, missing, Gdiplus::Rect(0, 0, 100, 60), Gdiplus::Rect(0, 0, 40, 40));
        DrawFrameSkin(g, missing, Gdiplus::Rect(0, 0, 10, 10), Gdiplus::Rect(0, 0, 40, 40));
        DrawStateSkin(g, missing, 4, 1, Gdiplus::Rect(0, 0, 67, 22));
    });
    EXPECT_EQ(0, canvas.CountOtherThan(kBackground));
}

TEST(MissingImage, BytesThatAreNoImageLoadEmpty)
{
    const CGdipImage broken = LoadPngResource(::GetModuleHandleW(nullptr), 4243);  // text, type 23
    EXPECT_FALSE(broken);
    EXPECT_NE(Gdiplus::Ok, broken.Status());
}
