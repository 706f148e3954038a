// Vector drawables built by hand, drawn into bounds: where their points land under groups
// and the viewport, how strokes scale, what paints and clips they get, what is refused.
#include <gtest/gtest.h>

#include <functional>

#include "IconPackageBuilder.h"
#include "VectorDrawable.h"

namespace {

using namespace DrawableXml;
using Attr = CAxmlBuilder::Attribute;

struct Drawn {
    bool ok = false;
    IconScene scene;
};

// A <vector> of the given viewport (108 square by default) whose body the caller writes.
std::string Vector(const std::function<void(CAxmlBuilder&)>& body, std::vector<Attr> root = {})
{
    root.push_back(Dp(u"width", 0x01010159, 108));
    root.push_back(Dp(u"height", 0x01010155, 108));
    bool viewport = false;
    for (const Attr& attribute : root) viewport = viewport || attribute.name == u"viewportWidth";
    if (!viewport) {
        root.push_back(Float(u"viewportWidth", 0x01010402, 108));
        root.push_back(Float(u"viewportHeight", 0x01010403, 108));
    }
    CAxmlBuilder document;
    document.Start(u"vector", root);
    body(document);
    document.End();
    return document.Build();
}

Drawn DrawVector(const std::string& bytes, IconRect bounds = {0, 0, 108, 108}, std::size_t commands = 50000)
{
    const CZipArchive zip;
    const CResourceResolver resolver(nullptr);
    CIconFiles files(zip, resolver);
    CPaintReader paints(files);
    CDrawableDocument document;
    Drawn drawn;
    if (!document.Load(std::vector<std::uint8_t>(bytes.begin(), bytes.end()))) return drawn;
    IconReadBudget budget;
    budget.pathCommands = commands;
    CVectorDrawable vector(paints, resolver, budget);
    drawn.ok = vector.Draw(document, bounds, drawn.scene);
    return drawn;
}

void Path(CAxmlBuilder& document, const std::u16string& data, std::vector<Attr> attributes = {})
{
    attributes.push_back(PathData(data));
    bool coloured = false;
    for (const Attr& attribute : attributes) coloured = coloured || attribute.name == u"fillColor" || attribute.name == u"strokeColor";
    if (!coloured) attributes.push_back(Colour(u"fillColor", 0x01010404, 0xFF000000));
    document.Start(u"path", attributes).End();
}

void ExpectPoint(IconPoint expected, IconPoint seen)
{
    EXPECT_NEAR(expected.x, seen.x, 1e-3f);
    EXPECT_NEAR(expected.y, seen.y, 1e-3f);
}

}  // namespace

TEST(VectorDrawable, GroupsTurnScaleAndMoveAboutTheirPivots)
{
    const Drawn drawn = DrawVector(Vector([](CAxmlBuilder& d) {
        d.Start(u"group", {Float(u"rotation", 0x01010326, 90), Float(u"pivotX", 0x010101b5, 54),
                           Float(u"pivotY", 0x010101b6, 54)});
        Path(d, u"M20,50h20v8h-20z");
        d.End();
        // Scaled about the pivot, then moved: (6, 0) -> (5 + 2 * 1 + 10, 0).
        d.Start(u"group", {Float(u"translateX", 0x0101045a, 10), Float(u"scaleX", 0x01010324, 2),
                           Float(u"pivotX", 0x010101b5, 5)});
        Path(d, u"M6,0");
        Path(d, u"M6,0 L6,1");
        d.End();
        // Nested: the inner scale first, the outer move after.
        d.Start(u"group", {Float(u"translateX", 0x0101045a, 100)});
        d.Start(u"group", {Float(u"scaleX", 0x01010324, 2), Float(u"scaleY", 0x01010325, 2)});
        Path(d, u"M1,1 L2,2");
        d.End();
        d.End();
    }));
    ASSERT_TRUE(drawn.ok);
    ASSERT_EQ(3u, drawn.scene.shapes.size());  // a lone move draws nothing
    const IconRect bar = drawn.scene.shapes[0].path.Bounds();
    EXPECT_NEAR(50, bar.left, 1e-3f);
    EXPECT_NEAR(58, bar.right, 1e-3f);
    EXPECT_NEAR(20, bar.top, 1e-3f);
    EXPECT_NEAR(40, bar.bottom, 1e-3f);
    ExpectPoint({17, 0}, drawn.scene.shapes[1].path.points[0]);
    ExpectPoint({102, 2}, drawn.scene.shapes[2].path.points[0]);
    ExpectPoint({104, 4}, drawn.scene.shapes[2].path.points[1]);
}

TEST(VectorDrawable, ViewportStretchedOverTheBoundsAndStrokesScaledAsAndroidScalesThem)
{
    const std::string document = Vector(
        [](CAxmlBuilder& d) {
            const std::vector<Attr> stroke = {Colour(u"strokeColor", 0x01010406, 0xFFFFFFFF),
                                              Float(u"strokeWidth", 0x01010407, 2)};
            Path(d, u"M12,12 L13,12", stroke);
            d.Start(u"group", {Float(u"scaleX", 0x01010324, 3)});
            Path(d, u"M0,0 L1,0", stroke);  // a group scaled one way only: its smaller scale
            d.End();
            d.Start(u"group", {Float(u"scaleX", 0x01010324, 2), Float(u"scaleY", 0x01010325, 2)});
            Path(d, u"M0,0 L1,0", stroke);
            d.End();
        },
        {Float(u"viewportWidth", 0x01010402, 24), Float(u"viewportHeight", 0x01010403, 24)});
    const Drawn drawn = DrawVector(document, {10, 20, 58, 116});
    ASSERT_TRUE(drawn.ok);
    ASSERT_EQ(3u, drawn.scene.shapes.size());
    ExpectPoint({34, 68}, drawn.scene.shapes[0].path.points[0]);  // viewport x2 across, x4 down
    EXPECT_FLOAT_EQ(4, drawn.scene.shapes[0].line.width);          // 2 by the smaller of the two
    EXPECT_FLOAT_EQ(4, drawn.scene.shapes[1].line.width);
    EXPECT_FLOAT_EQ(8, drawn.scene.shapes[2].line.width);
    EXPECT_FALSE(drawn.scene.shapes[0].fill.Draws());
}

TEST(VectorDrawable, PaintsWithTheirAlphasTintAndRules)
{
    const Drawn drawn = DrawVector(Vector(
        [](CAxmlBuilder& d) {
            Path(d, u"M0,0h10v10z",
                 {Colour(u"fillColor", 0x01010404, 0xFF112233), Float(u"fillAlpha", 0x010104cc, 0.5f),
                  ThemeColour(u"strokeColor", 0x01010406), Float(u"strokeWidth", 0x01010407, 1),
                  Float(u"strokeAlpha", 0x010104cb, 0.25f), CAxmlBuilder::Int(u"fillType", 0x0101051e, 1),
                  CAxmlBuilder::Int(u"strokeLineCap", 0x0101040b, 1), CAxmlBuilder::Int(u"strokeLineJoin", 0x0101040c, 2),
                  Float(u"strokeMiterLimit", 0x0101040d, 0.5f)});
        },
        {Float(u"alpha", 0x0101031f, 0.5f)}));
    ASSERT_TRUE(drawn.ok);
    ASSERT_EQ(1u, drawn.scene.shapes.size());
    const IconShape& shape = drawn.scene.shapes[0];
    EXPECT_EQ(0x40112233u, shape.fill.argb);     // 0xFF halved by the path, halved by the vector
    EXPECT_EQ(0x20808080u, shape.stroke.argb);   // a theme colour: neutral grey, at an eighth
    EXPECT_EQ(IconFillRule::EvenOdd, shape.rule);
    EXPECT_EQ(IconLineCap::Round, shape.line.cap);
    EXPECT_EQ(IconLineJoin::Bevel, shape.line.join);
    EXPECT_FLOAT_EQ(1, shape.line.miterLimit);   // never below 1

    const Drawn tinted = DrawVector(Vector([](CAxmlBuilder& d) { Path(d, u"M0,0h1v1z", {Colour(u"fillColor", 0x01010404, 0x80112233)}); },
                                           {Colour(u"tint", 0x01010121, 0x80FF0000)}));
    ASSERT_EQ(1u, tinted.scene.shapes.size());
    EXPECT_EQ(0x40FF0000u, tinted.scene.shapes[0].fill.argb);  // the tint's colour, both alphas
}

TEST(VectorDrawable, ClipPathsLimitWhatFollowsThemInTheirGroup)
{
    const Drawn drawn = DrawVector(Vector([](CAxmlBuilder& d) {
        d.Start(u"group");
        Path(d, u"M0,0h1v1z");
        d.Start(u"clip-path", {PathData(u"M0,0h50v50h-50z")}).End();
        Path(d, u"M0,0h2v2z");
        d.Start(u"group", {Float(u"translateX", 0x0101045a, 10)});
        d.Start(u"clip-path", {PathData(u"M0,0h5v5h-5z")}).End();
        Path(d, u"M0,0h3v3z");
        d.End();
        Path(d, u"M0,0h4v4z");
        d.End();
        Path(d, u"M0,0h5v5z");
    }));
    ASSERT_TRUE(drawn.ok);
    ASSERT_EQ(5u, drawn.scene.shapes.size());
    const int clips[] = {-1, 0, 1, 0, -1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(clips[i], drawn.scene.shapes[std::size_t(i)].clip) << i;
    ASSERT_EQ(2u, drawn.scene.clips.size());
    EXPECT_EQ(-1, drawn.scene.clips[0].parent);
    EXPECT_EQ(0, drawn.scene.clips[1].parent);
    ExpectPoint({15, 5}, drawn.scene.clips[1].path.path.points[2]);  // in the group's place
}

TEST(VectorDrawable, PathsThatShowNothingAreLeftOut)
{
    const Drawn drawn = DrawVector(Vector([](CAxmlBuilder& d) {
        Path(d, u"M0,0h1v1z", {Colour(u"fillColor", 0x01010404, 0xFF000000), Float(u"trimPathEnd", 0x01010409, 0)});
        Path(d, u"M0,0h1v1z", {Colour(u"strokeColor", 0x01010406, 0xFF000000)});  // a stroke of no width
        Path(d, u"");
        d.Start(u"path", {PathData(u"M0,0h1v1z")}).End();  // no colour at all
        Path(d, u"M0,0h1v1z", {Colour(u"fillColor", 0x01010404, 0xFF000000), Float(u"trimPathStart", 0x01010408, 0.5f)});
    }));
    ASSERT_TRUE(drawn.ok);
    ASSERT_EQ(1u, drawn.scene.shapes.size());  // a partly trimmed path is drawn whole
}

TEST(VectorDrawable, RefusesWhatAndroidRefusesAndWhatExceedsTheLimits)
{
    EXPECT_FALSE(DrawVector(Vector([](CAxmlBuilder& d) { Path(d, u"M0,0h1v1z"); },
                                   {Float(u"viewportWidth", 0x01010402, 0), Float(u"viewportHeight", 0x01010403, 24)}))
                     .ok);
    CAxmlBuilder notVector;
    notVector.Start(u"shape").End();
    EXPECT_FALSE(DrawVector(notVector.Build()).ok);
    // Paths of five commands each sharing a budget of 8: the second runs out.
    EXPECT_TRUE(DrawVector(Vector([](CAxmlBuilder& d) { Path(d, u"M0,0h1v1h-1z"); }), {0, 0, 108, 108}, 8).ok);
    EXPECT_FALSE(DrawVector(Vector([](CAxmlBuilder& d) {
                                Path(d, u"M0,0h1v1h-1z");
                                Path(d, u"M0,0h1v1h-1z");
                            }),
                            {0, 0, 108, 108}, 8)
                     .ok);
    // A path of few commands but more points than GDI+ should fill: 9,000 whole circles.
    std::u16string circles = u"M54,54";
    for (int i = 0; i < 9000; ++i) circles += u"a40,40 0 1,1 0.01,0";
    EXPECT_FALSE(DrawVector(Vector([&](CAxmlBuilder& d) { Path(d, circles); })).ok);
    EXPECT_TRUE(DrawVector(Vector([&](CAxmlBuilder& d) { Path(d, circles.substr(0, 6 + 19 * 7000)); })).ok);
    // More clip paths than a scene keeps.
    EXPECT_FALSE(DrawVector(Vector([](CAxmlBuilder& d) {
                                for (std::size_t i = 0; i <= CVectorDrawable::kMaxClips; ++i) {
                                    d.Start(u"clip-path", {PathData(u"M0,0h1v1z")}).End();
                                }
                            }))
                     .ok);
    // Groups deeper than the limit are not walked, and nothing breaks.
    const Drawn deep = DrawVector(Vector([](CAxmlBuilder& d) {
        for (int i = 0; i < 200; ++i) d.Start(u"group");
        Path(d, u"M0,0h1v1z");
        for (int i = 0; i < 200; ++i) d.End();
    }));
    EXPECT_TRUE(deep.ok);
    EXPECT_TRUE(deep.scene.shapes.empty());
}
