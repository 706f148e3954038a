// The order in which an icon is chosen, with a stand-in for the platform's painter, and
// the scenes drawn from packages built here and by make-packages.
#include <gtest/gtest.h>

#include "ApkParser.h"
#include "IconPackageBuilder.h"
#include "MemorySource.h"
#include "PaintReader.h"
#include "OwnPackages.h"
#include "PaintWork.h"
#include "TestData.h"

namespace {

using namespace DrawableXml;
using Package = CIconPackageBuilder;

// The platform's part, played: paints every scene into three bytes, or refuses; decodes
// WebP, or has no codec.
class CStandInPainter : public CIconPainter {
public:
    CStandInPainter(bool paints, bool webp) : m_bPaints(paints), m_bWebP(webp) {}

    bool Paint(const IconScene& scene, std::vector<std::uint8_t>& png) override
    {
        ++painted;
        shapes = scene.shapes.size();
        png = {'P', 'N', 'G'};
        return m_bPaints;
    }
    bool DecodesWebP() override { return m_bWebP; }
    bool ConvertWebP(const std::vector<std::uint8_t>&, std::vector<std::uint8_t>& png) override
    {
        ++converted;
        png = {'W', 'E', 'B'};
        return m_bWebP;
    }

    int painted = 0;
    int converted = 0;
    std::size_t shapes = 0;

private:
    bool m_bPaints;
    bool m_bWebP;
};

ApkSummary Parse(const std::string& package, CIconPainter* painter = nullptr)
{
    CMemorySource source(package.data(), package.size());
    ApkSummary summary;
    EXPECT_TRUE(CApkParser::Parse(source, CApkParser::LocaleOf(u"CHS"), summary, painter));
    return summary;
}

std::string AdaptiveXml(std::uint32_t background, std::uint32_t foreground)
{
    CAxmlBuilder document;
    document.Start(u"adaptive-icon");
    document.Start(u"background", {CAxmlBuilder::Reference(u"drawable", 0x01010199, background)}).End();
    document.Start(u"foreground", {CAxmlBuilder::Reference(u"drawable", 0x01010199, foreground)}).End();
    document.End();
    return document.Build();
}

// Icon 0: an adaptive icon (a colour under a PNG) and a WebP for older phones.
Package AdaptiveWithWebP()
{
    Package package;
    package.ColourValue(0, 0xFF102030)
        .File(0, "res/mipmap-anydpi-v26/ic.xml", AdaptiveXml(Package::Colour(0), Package::Drawable(1)), 0xFFFE)
        .File(0, "res/mipmap-hdpi-v4/ic.webp", Package::FakeWebP(), 240)
        .File(1, "res/drawable/fg.png", Package::FakePng());
    return package;
}

IconRect Bounds(const IconShape& shape)
{
    return shape.bitmap >= 0 ? shape.bitmapRect : shape.path.Bounds();
}

void ExpectRect(const IconRect& expected, const IconRect& seen)
{
    EXPECT_NEAR(expected.left, seen.left, 0.01f);
    EXPECT_NEAR(expected.top, seen.top, 0.01f);
    EXPECT_NEAR(expected.right, seen.right, 0.01f);
    EXPECT_NEAR(expected.bottom, seen.bottom, 0.01f);
}

}  // namespace

TEST(IconChoice, AdaptiveIconDrawnBeforeItsWebPAndNamedBitmap)
{
    const std::string package = AdaptiveWithWebP().Build(Package::Drawable(0));

    // Natively no painter: the scene, unpainted.
    const ApkSummary native = Parse(package);
    ASSERT_TRUE(native.icon && native.icon->scene);
    EXPECT_EQ(IconOrigin::Drawn, native.icon->origin);
    EXPECT_EQ("res/mipmap-anydpi-v26/ic.xml", native.icon->entry);
    EXPECT_TRUE(native.icon->bytes.empty());
    ASSERT_EQ(2u, native.icon->scene->shapes.size());
    EXPECT_EQ(0xFF102030u, native.icon->scene->shapes[0].fill.argb);

    CStandInPainter painter(true, true);
    const ApkSummary painted = Parse(package, &painter);
    ASSERT_TRUE(painted.icon);
    EXPECT_EQ(IconOrigin::Drawn, painted.icon->origin);
    EXPECT_EQ(std::vector<std::uint8_t>({'P', 'N', 'G'}), painted.icon->bytes);
    EXPECT_EQ(ImageKind::Png, painted.icon->kind);
    EXPECT_EQ(2u, painter.shapes);
    EXPECT_EQ(0, painter.converted);

    // Painting fails: the WebP, decoded by the platform.
    CStandInPainter decoder(false, true);
    const ApkSummary converted = Parse(package, &decoder);
    ASSERT_TRUE(converted.icon);
    EXPECT_EQ(IconOrigin::Converted, converted.icon->origin);
    EXPECT_EQ("res/mipmap-hdpi-v4/ic.webp", converted.icon->entry);
    EXPECT_EQ(std::vector<std::uint8_t>({'W', 'E', 'B'}), converted.icon->bytes);

    // Neither: the bitmap the XML names.
    CStandInPainter neither(false, false);
    const ApkSummary named = Parse(package, &neither);
    ASSERT_TRUE(named.icon);
    EXPECT_EQ(IconOrigin::Named, named.icon->origin);
    EXPECT_EQ("res/drawable/fg.png", named.icon->entry);
    EXPECT_EQ(0, neither.converted);
}

TEST(IconChoice, BitmapTheWindowDecodesComesFirstAtAnyDensity)
{
    Package package = AdaptiveWithWebP();
    package.File(0, "res/mipmap-mdpi-v4/ic.png", Package::FakePng(), 160);
    CStandInPainter painter(true, true);
    const ApkSummary summary = Parse(package.Build(Package::Drawable(0)), &painter);
    ASSERT_TRUE(summary.icon);
    EXPECT_EQ(IconOrigin::Bitmap, summary.icon->origin);
    EXPECT_EQ("res/mipmap-mdpi-v4/ic.png", summary.icon->entry);
    EXPECT_EQ(0, painter.painted);
}

TEST(IconChoice, RoundIconDrawnBeforeTheIconsWebP)
{
    Package package = AdaptiveWithWebP();
    package.File(2, "res/mipmap-xxhdpi-v4/only.webp", Package::FakeWebP(), 480);
    CStandInPainter painter(true, true);
    const ApkSummary summary = Parse(package.Build(Package::Drawable(2), Package::Drawable(0)), &painter);
    ASSERT_TRUE(summary.icon);
    EXPECT_EQ(IconOrigin::Drawn, summary.icon->origin);
    EXPECT_EQ("res/mipmap-anydpi-v26/ic.xml", summary.icon->entry);
    EXPECT_EQ(0, painter.converted);
}

TEST(IconChoice, LayerListItemsPlacedByInsetsSizesAndGravity)
{
    // A legacy icon (48 dp in the 70-pixel picture): a dp is 70 / 48 pixels.
    const float dp = 70.0f / 48;
    CAxmlBuilder list;
    list.Start(u"layer-list");
    list.Start(u"item", {Colour(u"drawable", 0x01010199, 0xFF0000FF)}).End();
    list.Start(u"item", {Dp(u"left", 0x010101ad, 12), Dp(u"top", 0x010101ae, 6), Colour(u"drawable", 0x01010199, 0xFF00FF00)}).End();
    list.Start(u"item", {Dp(u"width", 0x01010159, 24), Dp(u"height", 0x01010155, 12), CAxmlBuilder::Int(u"gravity", 0x010100af, 0x11),
                         Colour(u"drawable", 0x01010199, 0xFF00FF00)}).End();
    list.Start(u"item", {Dp(u"width", 0x01010159, 12), CAxmlBuilder::Int(u"gravity", 0x010100af, 0x55),
                         Colour(u"drawable", 0x01010199, 0xFF00FF00)}).End();
    list.Start(u"item").Start(u"shape", {CAxmlBuilder::Int(u"shape", 0x0101019a, 1)});
    list.Start(u"solid", {Colour(u"color", 0x010101a5, 0xFF123456)}).End().End().End();
    list.Start(u"item").Start(u"selector");
    list.Start(u"item", {CAxmlBuilder::Int(u"state_pressed", 0x010100a7, 0xFFFFFFFF), Colour(u"drawable", 0x01010199, 0xFFFF0000)}).End();
    list.Start(u"item", {Colour(u"drawable", 0x01010199, 0xFF00FFFF)}).End();
    list.End().End();
    list.Start(u"item").Start(u"inset", {Percent(u"insetLeft", 0x010101b7, 10), Dp(u"inset", 0x010104b5, 6)});
    list.Start(u"color", {Colour(u"color", 0x010101a5, 0xFF999999)}).End().End().End();
    list.End();
    const ApkSummary summary = Parse(Package().File(0, "res/drawable/icon.xml", list.Build()).Build(Package::Drawable(0)));
    ASSERT_TRUE(summary.icon && summary.icon->scene);
    const IconScene& scene = *summary.icon->scene;
    EXPECT_EQ(0, scene.maskCornerRadius);  // not adaptive: no mask
    ASSERT_EQ(7u, scene.shapes.size());
    ExpectRect({0, 0, 70, 70}, Bounds(scene.shapes[0]));
    ExpectRect({12 * dp, 6 * dp, 70, 70}, Bounds(scene.shapes[1]));
    ExpectRect({35 - 12 * dp, 35 - 6 * dp, 35 + 12 * dp, 35 + 6 * dp}, Bounds(scene.shapes[2]));
    ExpectRect({70 - 12 * dp, 0, 70, 70}, Bounds(scene.shapes[3]));  // no height: the whole height
    EXPECT_EQ(0xFF123456u, scene.shapes[4].fill.argb);
    EXPECT_EQ(13u, scene.shapes[4].path.points.size());  // an oval: four curves
    EXPECT_EQ(0xFF00FFFFu, scene.shapes[5].fill.argb);   // the item that asks for no state
    ExpectRect({7, 6 * dp, 70 - 6 * dp, 70 - 6 * dp}, Bounds(scene.shapes[6]));
}

TEST(IconChoice, ShapeGradientsFollowTheirAngleAndCentre)
{
    CAxmlBuilder shape;
    shape.Start(u"shape").Start(u"gradient", {CAxmlBuilder::Int(u"angle", 0x010101a0, 90), Colour(u"startColor", 0x0101019d, 0xFFFF0000),
                                              Colour(u"endColor", 0x0101019e, 0xFF0000FF)});
    shape.End().End();
    CAxmlBuilder radial;
    radial.Start(u"shape").Start(u"gradient", {CAxmlBuilder::Int(u"type", 0x010101a1, 1), Percent(u"gradientRadius", 0x010101a4, 50),
                                               Colour(u"startColor", 0x0101019d, 0xFFFFFFFF),
                                               Colour(u"centerColor", 0x0101020b, 0xFF808080),
                                               Colour(u"endColor", 0x0101019e, 0xFF000000)});
    radial.End().End();
    const IconPaint up = Parse(Package().File(0, "res/drawable/a.xml", shape.Build()).Build(Package::Drawable(0))).icon->scene->shapes[0].fill;
    EXPECT_EQ(IconPaintKind::Linear, up.kind);
    EXPECT_FLOAT_EQ(70, up.start.y);  // 90 degrees: from the bottom up
    EXPECT_FLOAT_EQ(0, up.end.y);
    EXPECT_FLOAT_EQ(up.start.x, up.end.x);
    const IconPaint round = Parse(Package().File(0, "res/drawable/b.xml", radial.Build()).Build(Package::Drawable(0))).icon->scene->shapes[0].fill;
    EXPECT_EQ(IconPaintKind::Radial, round.kind);
    EXPECT_FLOAT_EQ(35, round.start.x);
    EXPECT_NEAR(35, round.radius, 0.01f);  // half the shape's side
    ASSERT_EQ(3u, round.stops.size());
    EXPECT_EQ(0xFF808080u, round.stops[1].argb);
}

TEST(IconChoice, VectorIconThatIsNotSquareKeepsItsProportions)
{
    CAxmlBuilder vector;
    vector.Start(u"vector", {Dp(u"width", 0x01010159, 24), Dp(u"height", 0x01010155, 12), Float(u"viewportWidth", 0x01010402, 2),
                             Float(u"viewportHeight", 0x01010403, 1)});
    vector.Start(u"path", {PathData(u"M0,0h2v1h-2z"), Colour(u"fillColor", 0x01010404, 0xFF000000)}).End();
    vector.End();
    const ApkSummary summary = Parse(Package().File(0, "res/drawable/v.xml", vector.Build()).Build(Package::Drawable(0)));
    ASSERT_TRUE(summary.icon && summary.icon->scene);
    ExpectRect({0, 17.5f, 70, 52.5f}, summary.icon->scene->shapes[0].path.Bounds());
}

TEST(IconChoice, WhatCannotBeDrawnFallsThroughToNone)
{
    // A path of 400,000 commands: over the budget, and nothing else to show.
    std::u16string huge = u"M0,0";
    for (int i = 0; i < 400000; ++i) huge += u"h1";
    CAxmlBuilder vector;
    vector.Start(u"vector", {Float(u"viewportWidth", 0x01010402, 1), Float(u"viewportHeight", 0x01010403, 1)});
    vector.Start(u"path", {PathData(huge), Colour(u"fillColor", 0x01010404, 0xFF000000)}).End();
    vector.End();
    CStandInPainter painter(true, false);
    EXPECT_FALSE(Parse(Package().File(0, "res/drawable/v.xml", vector.Build()).Build(Package::Drawable(0)), &painter).icon);
    EXPECT_EQ(0, painter.painted);
    // A drawable the reader does not know, an adaptive icon naming it, and a WebP layer
    // where nothing decodes WebP.
    CAxmlBuilder ripple;
    ripple.Start(u"ripple").End();
    const std::string webpLayer = Package()
                                      .File(0, "res/mipmap-anydpi-v26/ic.xml", AdaptiveXml(Package::Drawable(1), Package::Drawable(2)))
                                      .File(1, "res/drawable/r.xml", ripple.Build())
                                      .File(2, "res/drawable/fg.webp", Package::FakeWebP())
                                      .Build(Package::Drawable(0));
    EXPECT_FALSE(Parse(webpLayer, &painter).icon);
    EXPECT_FALSE(Parse(webpLayer).icon);
}

TEST(IconChoice, IconThatWouldTakeTooLongToPaintIsNotDrawn)
{
    // One path of whole circles over each other, few points but crossing every row
    // many times: the work grows with the square of the circles.
    auto circles = [](int n) {
        std::u16string data = u"M54,54";
        for (int i = 0; i < n; ++i) data += u"a40,40 0 1,1 0.01,0";
        CAxmlBuilder vector;
        vector.Start(u"vector", {Float(u"viewportWidth", 0x01010402, 108), Float(u"viewportHeight", 0x01010403, 108)});
        vector.Start(u"path", {PathData(data), Colour(u"fillColor", 0x01010404, 0xFF000000)}).End();
        vector.End();
        return Package().File(0, "res/drawable/v.xml", vector.Build()).Build(Package::Drawable(0));
    };
    CStandInPainter painter(true, false);
    const ApkSummary few = Parse(circles(20), &painter);
    ASSERT_TRUE(few.icon && few.icon->scene);
    const double work = CPaintWork::OfScene(*few.icon->scene, CPaintWork::kScale);
    EXPECT_LT(work, CPaintWork::kMaxWork / 4);
    EXPECT_EQ(1, painter.painted);
    // Fifteen times the circles: over two hundred times the work, more than is allowed.
    EXPECT_FALSE(Parse(circles(300), &painter).icon);
    EXPECT_EQ(1, painter.painted);
}

TEST(IconChoiceOwnPackages, VectorOnlyAdaptiveIconWithoutItsMonochromeLayer)
{
    const ApkSummary summary = ParseBytes(ReadFileBytes(OwnPackagePath("vector_only")));
    ASSERT_TRUE(summary.icon && summary.icon->scene);
    const IconScene& scene = *summary.icon->scene;
    EXPECT_EQ(70, scene.size);
    EXPECT_FLOAT_EQ(14, scene.maskCornerRadius);
    ASSERT_EQ(5u, scene.shapes.size());  // the background and four paths
    // The layers span the whole 108-dp canvas: 18 dp beyond the picture on every side.
    ExpectRect({-17.5f, -17.5f, 87.5f, 87.5f}, scene.shapes[0].path.Bounds());
    EXPECT_EQ(0xFF1E88E5u, scene.shapes[0].fill.argb);
    for (const IconShape& shape : scene.shapes) EXPECT_NE(0xFFFF0000u, shape.fill.argb);
}

TEST(IconChoiceOwnPackages, VectorShapesFromTheNewestCopyOfTheVector)
{
    // aapt2 wrote copies for old platforms without the path attributes: the newest is read.
    const ApkSummary summary = ParseBytes(ReadFileBytes(OwnPackagePath("vector_shapes")));
    ASSERT_TRUE(summary.icon && summary.icon->scene);
    const IconScene& scene = *summary.icon->scene;
    ASSERT_EQ(8u, scene.shapes.size());
    const float unit = 70.0f / 72;
    auto pixels = [&](float left, float top, float right, float bottom) {
        return IconRect{(left - 18) * unit, (top - 18) * unit, (right - 18) * unit, (bottom - 18) * unit};
    };
    ExpectRect(pixels(50, 20, 58, 40), scene.shapes[1].path.Bounds());  // the turned bar
    ExpectRect(pixels(70, 60, 80, 70), scene.shapes[2].path.Bounds());  // scaled and moved
    EXPECT_EQ(IconFillRule::EvenOdd, scene.shapes[3].rule);
    ASSERT_EQ(1u, scene.clips.size());
    EXPECT_EQ(0, scene.shapes[4].clip);
    ExpectRect(pixels(66, 28, 84, 34), scene.clips[0].path.path.Bounds());
    EXPECT_NEAR(4 * unit, scene.shapes[5].line.width, 1e-4f);
    const IconPaint& linear = scene.shapes[6].fill;
    ASSERT_EQ(IconPaintKind::Linear, linear.kind);
    EXPECT_EQ(0xFFFF0000u, linear.stops.front().argb);
    EXPECT_EQ(0xFF0000FFu, linear.stops.back().argb);
    EXPECT_NEAR((26 - 18) * unit, linear.transform.Apply(linear.start).x, 1e-3f);
    const IconPaint& radial = scene.shapes[7].fill;
    ASSERT_EQ(IconPaintKind::Radial, radial.kind);
    EXPECT_FLOAT_EQ(6, radial.radius);
    EXPECT_EQ(0xFFE91E63u, radial.stops.back().argb);
}

TEST(IconChoiceOwnPackages, ColoursGivenAsReferences)
{
    const ApkSummary summary = ParseBytes(ReadFileBytes(OwnPackagePath("color_refs")));
    ASSERT_TRUE(summary.icon && summary.icon->scene);
    const IconScene& scene = *summary.icon->scene;
    ASSERT_EQ(5u, scene.shapes.size());
    const std::uint32_t expected[] = {0xFF6A1B9A, 0xFF00E676, 0xFFFFFFFF, CPaintReader::kNeutralColour, 0x80000000};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(expected[i], scene.shapes[i].fill.argb) << i;
}

TEST(IconChoiceOwnPackages, BitmapInsideAnInsetOfAQuarter)
{
    const ApkSummary summary = ParseBytes(ReadFileBytes(OwnPackagePath("inset_bitmap")));
    ASSERT_TRUE(summary.icon && summary.icon->scene);
    const IconScene& scene = *summary.icon->scene;
    ASSERT_EQ(2u, scene.shapes.size());
    ASSERT_EQ(1u, scene.bitmaps.size());
    EXPECT_EQ("res/drawable-xxhdpi-v4/ic_square.png", scene.bitmaps[0].entry);
    const float unit = 70.0f / 72;
    ExpectRect({(27 - 18) * unit, (27 - 18) * unit, (81 - 18) * unit, (81 - 18) * unit}, scene.shapes[1].bitmapRect);
}
