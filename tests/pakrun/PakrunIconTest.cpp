// Icons drawn by the real Pakrun.dll from their XML, seen as the window sees them: the
// record's stream decoded by the window's own loader and drawn into the 70 x 70 box.
// Each picture is also written four times enlarged to build/renders/icon-*.png.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ApkInfo.h"
#include "CraftedPackages.h"
#include "ImageDrawing.h"
#include "OwnPackages.h"
#include "PixelCanvas.h"
#include "PngWriter.h"
#include "StreamBytes.h"
#include "StreamImage.h"
#include "SystemImageDecoder.h"

namespace {

constexpr int kBox = 70;
// The window's own background, which shows where the mask leaves the icon out.
constexpr COLORREF kWindowColour = RGB(0xEE, 0xF4, 0xF6);
constexpr int kTolerance = 6;

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

struct DrawnIcon {
    std::string bytes;   // the stream's bytes
    UINT width = 0;
    UINT height = 0;
    std::unique_ptr<CPixelCanvas> canvas;  // the box as the window paints it

    COLORREF At(int x, int y) const { return canvas->Pixel(x, y); }
};

// Parses the package through the library, then paints its icon as the window does.
DrawnIcon Draw(const std::string& package, const std::string& path = "")
{
    DrawnIcon icon;
    _tagAPKINFO info = {};
    EXPECT_NE(0, ParseApk(Wide(path.empty() ? OwnPackagePath(package) : path).c_str(), &info, 0)) << package;
    icon.bytes = StreamBytes(info.pIcon);
    const CGdipImage image = LoadImageFromStreamCopy(info.pIcon);
    ReleaseApk(&info);
    GetImageSize(image, icon.width, icon.height);
    icon.canvas = std::make_unique<CPixelCanvas>(kBox, kBox, kWindowColour);
    icon.canvas->DrawWithGdiPlus([&](CGdipGraphics& graphics) {
        DrawImageFitted(graphics, Gdiplus::Rect(0, 0, kBox, kBox), &image);
    });
    const std::wstring dir = APKI_RENDERS_DIR;
    ::CreateDirectoryW(dir.c_str(), nullptr);
    SaveCanvasPng(*icon.canvas, 4, dir + L"\\icon-" + Wide(package) + L".png");
    return icon;
}

::testing::AssertionResult Near(const DrawnIcon& icon, int x, int y, COLORREF expected, int tolerance = kTolerance)
{
    const COLORREF seen = icon.At(x, y);
    if (NearColour(seen, expected, tolerance)) return ::testing::AssertionSuccess();
    char text[96];
    std::snprintf(text, sizeof text, "at (%d, %d): %06lX, expected %06lX (0xBBGGRR)", x, y, seen, expected);
    return ::testing::AssertionFailure() << text;
}

// A drawn adaptive icon: a PNG of the box's size, seen through a rounded square whose
// corners leave the window's colour, the background just inside them and along the edges.
void ExpectMaskedOver(const DrawnIcon& icon, COLORREF background)
{
    EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n"), icon.bytes.substr(0, 8));
    EXPECT_EQ(UINT(kBox), icon.width);
    EXPECT_EQ(UINT(kBox), icon.height);
    for (const POINT corner : {POINT{1, 1}, POINT{kBox - 2, 1}, POINT{1, kBox - 2}, POINT{kBox - 2, kBox - 2}}) {
        EXPECT_TRUE(Near(icon, corner.x, corner.y, kWindowColour));
    }
    for (const POINT inside : {POINT{5, 5}, POINT{kBox - 6, 5}, POINT{5, kBox - 6}, POINT{kBox - 6, kBox - 6},
                               POINT{kBox / 2, 0}, POINT{0, kBox / 2 + 3}}) {
        EXPECT_TRUE(Near(icon, inside.x, inside.y, background));
    }
}

// The package written to a file of the temporary directory.
std::string TemporaryPackage(const CraftedPackage& package)
{
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + package.name + ".apk";
    std::ofstream out(path, std::ios::binary);
    out.write(package.bytes.data(), std::streamsize(package.bytes.size()));
    return path;
}

int CountNear(const DrawnIcon& icon, COLORREF colour, int tolerance)
{
    int count = 0;
    for (int y = 0; y < kBox; ++y) {
        for (int x = 0; x < kBox; ++x) count += NearColour(icon.At(x, y), colour, tolerance);
    }
    return count;
}

}  // namespace

// Points below are pixels of the box; a canvas point (u, v) of the 108-unit canvas lies
// at ((u - 18) * 70 / 72, (v - 18) * 70 / 72).
TEST(PakrunIcons, VectorOnlyAdaptiveIconWithoutAnyBitmap)
{
    const DrawnIcon icon = Draw("vector_only");
    ExpectMaskedOver(icon, RGB(0x1E, 0x88, 0xE5));
    EXPECT_TRUE(Near(icon, 35, 35, RGB(0xFF, 0xC1, 0x07)));  // the square in the middle
    EXPECT_TRUE(Near(icon, 35, 19, RGB(0xFF, 0xFF, 0xFF)));  // the disc above it
    EXPECT_TRUE(Near(icon, 19, 35, RGB(0xFF, 0xFF, 0xFF)));
    EXPECT_TRUE(Near(icon, 35, 7, RGB(0x0D, 0x47, 0xA1), 40));  // the stroked arc over the disc
    // The monochrome layer is pure red over everything: not a pixel of it.
    EXPECT_EQ(0, CountNear(icon, RGB(0xFF, 0, 0), 60));
}

TEST(PakrunIcons, DrawnAtTheBoxSideTheWindowAsksForAndAt70Otherwise)
{
    const std::wstring path = Wide(OwnPackagePath("vector_only"));
    for (const int asked : {140, 105, 0, 9, 281}) {
        _tagAPKINFO info = {};
        ASSERT_NE(0, ParseApk(path.c_str(), &info, asked));
        const CGdipImage image = LoadImageFromStreamCopy(info.pIcon);
        ReleaseApk(&info);
        UINT width = 0, height = 0;
        GetImageSize(image, width, height);
        const UINT expected = asked >= 16 && asked <= 280 ? UINT(asked) : UINT(kBox);
        EXPECT_EQ(expected, width) << asked;
        EXPECT_EQ(expected, height) << asked;
    }
}

TEST(PakrunIcons, GroupsArcsEvenOddClipStrokeAndGradients)
{
    const DrawnIcon icon = Draw("vector_shapes");
    const COLORREF background = RGB(0x26, 0x32, 0x38);
    ExpectMaskedOver(icon, background);
    EXPECT_TRUE(Near(icon, 35, 11, RGB(0x00, 0xC8, 0x53)));  // the bar turned about the centre, above it
    EXPECT_TRUE(Near(icon, 11, 35, background));             // and not where it was written
    EXPECT_TRUE(Near(icon, 55, 45, RGB(0x00, 0xBC, 0xD4)));  // the square scaled and moved
    EXPECT_TRUE(Near(icon, 8, 50, RGB(0xFF, 0xEB, 0x3B)));   // the ring
    EXPECT_TRUE(Near(icon, 15, 50, background));             // its even-odd hole
    EXPECT_TRUE(Near(icon, 60, 12, RGB(0xFF, 0x98, 0x00)));  // the clipped square inside its clip
    EXPECT_TRUE(Near(icon, 44, 21, background));             // and outside it
    EXPECT_TRUE(Near(icon, 50, 62, RGB(0xFF, 0xFF, 0xFF)));  // the stroke
    const COLORREF left = icon.At(9, 12), right = icon.At(22, 12);  // the linear gradient's ends
    EXPECT_GT(GetRValue(left), 200);
    EXPECT_LT(GetBValue(left), 60);
    EXPECT_LT(GetRValue(right), 60);
    EXPECT_GT(GetBValue(right), 200);
    EXPECT_TRUE(Near(icon, 60, 25, RGB(0xFF, 0xFF, 0xFF), 40));  // the radial gradient's middle
    EXPECT_GT(GetRValue(icon.At(65, 25)), GetGValue(icon.At(65, 25)) + 60);  // towards its rim
}

TEST(PakrunIcons, ColoursGivenAsReferences)
{
    const DrawnIcon icon = Draw("color_refs");
    ExpectMaskedOver(icon, RGB(0x6A, 0x1B, 0x9A));          // the alias's colour, not the night one
    EXPECT_TRUE(Near(icon, 21, 21, RGB(0x00, 0xE6, 0x76)));  // a colour state list's default
    EXPECT_TRUE(Near(icon, 48, 21, RGB(0xFF, 0xFF, 0xFF)));  // the platform's white
    EXPECT_TRUE(Near(icon, 21, 48, RGB(0x80, 0x80, 0x80)));  // a theme attribute: neutral grey
    EXPECT_TRUE(Near(icon, 48, 48, RGB(0x35, 0x0E, 0x4D)));  // black at half alpha over the background
}

TEST(PakrunIcons, BitmapForegroundInsideInset)
{
    const DrawnIcon icon = Draw("inset_bitmap");
    const COLORREF background = RGB(0x37, 0x47, 0x4F);
    ExpectMaskedOver(icon, background);
    // The PNG fills the canvas less a quarter on every side: 27 to 81, pixels 8.75 to 61.25.
    for (const POINT inside : {POINT{35, 35}, POINT{10, 35}, POINT{59, 35}, POINT{35, 10}, POINT{35, 59}}) {
        EXPECT_TRUE(Near(icon, inside.x, inside.y, RGB(0xFF, 0x6D, 0x00)));
    }
    for (const POINT outside : {POINT{6, 35}, POINT{63, 35}, POINT{35, 6}, POINT{35, 63}}) {
        EXPECT_TRUE(Near(icon, outside.x, outside.y, background));
    }
}

TEST(PakrunIcons, BitmapLayersOnlyAdaptiveIconsAreDrawnToo)
{
    for (const char* package : {"adaptive_only", "inset_foreground"}) {
        SCOPED_TRACE(package);
        const DrawnIcon icon = Draw(package);
        EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n"), icon.bytes.substr(0, 8));
        EXPECT_EQ(UINT(kBox), icon.width);
        EXPECT_TRUE(Near(icon, 1, 1, kWindowColour));
        EXPECT_TRUE(Near(icon, 35, 35, RGB(0xFA, 0xFA, 0xFA), 12));  // the foreground's white disc
    }
}

TEST(PakrunIcons, TheSamePackageGivesTheSameBytes)
{
    EXPECT_EQ(Draw("vector_shapes").bytes, Draw("vector_shapes").bytes);
}

TEST(PakrunIcons, WebPOnlyIconIsConvertedWhereTheSystemDecodesWebP)
{
    const DrawnIcon icon = Draw("raw_label");
    if (CSystemImageDecoder().HasWebPDecoder()) {
        EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n"), icon.bytes.substr(0, 8));
        EXPECT_EQ(144u, icon.width);  // the xxhdpi WebP, whole
    } else {
        // Wine: no WebP codec, and the package has neither another bitmap nor XML.
        EXPECT_TRUE(icon.bytes.empty());
    }
}

// Under Wine's GDI+ a square stroked far wider than the picture paints nothing; narrowed
// to what covers the picture, it paints every pixel.
TEST(PakrunIcons, AStrokeWiderThanThePictureCoversIt)
{
    for (const float width : {200.0f, 400.0f, 5000.0f}) {
        const CraftedPackage package = CCraftedPackages::WideStroke(width);
        const std::string path = TemporaryPackage(package);
        const DrawnIcon icon = Draw(package.name, path);
        ::DeleteFileA(path.c_str());
        for (const POINT point : {POINT{1, 1}, POINT{35, 35}, POINT{68, 68}}) {
            EXPECT_TRUE(Near(icon, point.x, point.y, RGB(0x20, 0x60, 0xA0))) << width;
        }
    }
}

// Every crafted package still gives its facts through the library.
TEST(PakrunIcons, CraftedPackagesKeepTheirFacts)
{
    for (const CraftedPackage& package : CCraftedPackages::All()) {
        const std::string path = TemporaryPackage(package);
        _tagAPKINFO info = {};
        EXPECT_NE(0, ParseApk(Wide(path).c_str(), &info, 0)) << package.name;
        EXPECT_EQ(package.bytes.size(), info.nSize);
        EXPECT_EQ(package.name == "deflated_table" ? L"org.example.crafted" : L"Crafted", std::wstring(info.szAppName));
        ReleaseApk(&info);
        ::DeleteFileA(path.c_str());
    }
}

TEST(SystemImageDecoder, DecodesWhatThePngWriterWrote)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) pixels.push_back(std::uint32_t(x * 36) << 24 | std::uint32_t(y * 50) << 16 | 0x80FF);
    }
    const std::vector<std::uint8_t> png = CPngWriter::Write(pixels.data(), 7, 5);
    DecodedImage decoded;
    ASSERT_TRUE(CSystemImageDecoder().Decode(png, decoded));
    EXPECT_EQ(7, decoded.width);
    EXPECT_EQ(5, decoded.height);
    EXPECT_EQ(pixels, decoded.pixels);
    EXPECT_FALSE(CSystemImageDecoder().Decode(std::vector<std::uint8_t>(png.begin(), png.begin() + 40), decoded));
    EXPECT_FALSE(CSystemImageDecoder().Decode({}, decoded));
}
