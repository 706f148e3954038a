// Android's path data read into figures of points, and the geometry they are mapped with.
#include <gtest/gtest.h>

#include <string>

#include "IconGeometry.h"
#include "PathData.h"

namespace {

struct Parsed {
    PathParse result = PathParse::Complete;
    IconPath path;
    std::size_t commands = 0;  // taken from the budget
};

Parsed Parse(const std::u16string& text, std::size_t budget = 1000)
{
    Parsed parsed;
    std::size_t left = budget;
    parsed.result = CPathData::Parse(text, parsed.path, left);
    parsed.commands = budget - left;
    return parsed;
}

// The figure as "S x,y L x,y C x,y x,y x,y ..." with a "Z" after a closed figure's last point.
std::string Describe(const IconPath& path)
{
    std::string text;
    char point[48];
    int cubicPoints = 0;
    for (std::size_t i = 0; i < path.points.size(); ++i) {
        const std::uint8_t type = path.types[i] & 0x7F;
        if (type == kPathStart) text += text.empty() ? "S" : " S";
        if (type == kPathLine) text += " L";
        if (type == kPathCubic && cubicPoints++ % 3 == 0) text += " C";
        if (type != kPathCubic) cubicPoints = 0;
        std::snprintf(point, sizeof point, " %g,%g", double(path.points[i].x), double(path.points[i].y));
        text += point;
        if (path.types[i] & kPathClose) text += " Z";
    }
    return text;
}

void ExpectPoint(IconPoint expected, IconPoint seen, float tolerance = 1e-3f)
{
    EXPECT_NEAR(expected.x, seen.x, tolerance);
    EXPECT_NEAR(expected.y, seen.y, tolerance);
}

}  // namespace

TEST(PathData, AbsoluteAndRelativeLinesWithCloseAndTheFigureAfterIt)
{
    EXPECT_EQ("S 10,20 L 30,40 L 50,40 L 50,60 Z", Describe(Parse(u"M10,20 L30,40 H50 V60 Z").path));
    // After z the current point is the figure's start; a relative line there opens a new figure.
    const Parsed relative = Parse(u"m10 20 l5 5 h5 v-5 z l1 1");
    EXPECT_EQ("S 10,20 L 15,25 L 20,25 L 20,20 Z S 10,20 L 11,21", Describe(relative.path));
    EXPECT_EQ(PathParse::Complete, relative.result);
    EXPECT_EQ(6u, relative.commands);
}

TEST(PathData, ParametersRepeatWithoutTheirCommand)
{
    EXPECT_EQ("S 0,0 L 10,0 L 10,10", Describe(Parse(u"M0 0 10 0 10 10").path));
    EXPECT_EQ("S 1,1 L 3,3 L 6,6", Describe(Parse(u"m1 1 2 2 3 3").path));
    EXPECT_EQ("S 0,0 L 1,1 L 2,2 L 3,3", Describe(Parse(u"M0,0L1,1,2,2 3,3").path));
    EXPECT_EQ("S 0,0 L 1,0 L 1,1 L 1,3", Describe(Parse(u"M0 0h1v1 2").path));
    EXPECT_EQ(4u, Parse(u"M0 0h1v1 2").commands);
}

TEST(PathData, NumbersWrittenTheShortWays)
{
    EXPECT_EQ("S 1.5,0.5", Describe(Parse(u"M1.5.5").path));
    EXPECT_EQ("S -0.5,-0.5", Describe(Parse(u"M-.5-.5").path));
    EXPECT_EQ("S 20,-0.3", Describe(Parse(u"M2e1-3E-1").path));
    EXPECT_EQ("S 1,-2", Describe(Parse(u"M1-2").path));
    EXPECT_EQ("S 3,4", Describe(Parse(u"M+3,+4").path));
    EXPECT_EQ("S 0.1,0.2 L 0.3,0.4", Describe(Parse(u"M0.1.2.3.4").path));
    EXPECT_EQ("S 12345,0.000125", Describe(Parse(u"M\t12345\n1.25e-4").path));
    // Digits beyond what a float holds change nothing; exponents beyond reason are cut.
    EXPECT_EQ("S 1,2", Describe(Parse(u"M1.0000000000000000000000001 2").path));
    EXPECT_EQ(PathParse::Complete, Parse(u"M1e99999 0").result);
}

TEST(PathData, CubicAndQuadraticCurvesWithReflectedControlPoints)
{
    EXPECT_EQ("S 0,0 C 1,2 3,4 5,6 C 7,8 9,10 11,12", Describe(Parse(u"M0 0 C1 2 3 4 5 6 S9 10 11 12").path));
    // S without a curve before it takes the current point as its first control point.
    EXPECT_EQ("S 0,0 L 5,0 C 5,0 6,1 7,0", Describe(Parse(u"M0 0 L5 0 S6 1 7 0").path));
    EXPECT_EQ("S 1,1 C 2,3 4,5 6,7", Describe(Parse(u"m1 1 c1 2 3 4 5 6").path));
    // Quadratics become cubics with controls two thirds of the way to theirs; T reflects.
    const Parsed quad = Parse(u"M0 0 Q3 3 6 0 T12 0");
    ASSERT_EQ(7u, quad.path.points.size());
    ExpectPoint({2, 2}, quad.path.points[1]);
    ExpectPoint({4, 2}, quad.path.points[2]);
    ExpectPoint({6, 0}, quad.path.points[3]);
    ExpectPoint({8, -2}, quad.path.points[4]);
    ExpectPoint({10, -2}, quad.path.points[5]);
    ExpectPoint({12, 0}, quad.path.points[6]);
}

TEST(PathData, ArcsBecomeCubicsThroughTheRightSide)
{
    // A half circle about (10, 0), clockwise on the screen: through (10, -10), in two pieces.
    const Parsed clockwise = Parse(u"M0 0 A10 10 0 0 1 20 0");
    ASSERT_EQ(7u, clockwise.path.points.size());
    ExpectPoint({10, -10}, clockwise.path.points[3]);
    ExpectPoint({20, 0}, clockwise.path.points[6]);
    // The other sweep passes below; a quarter circle's control points lie 0.5523 along.
    ExpectPoint({10, 10}, Parse(u"M0 0 A10 10 0 0 0 20 0").path.points[3]);
    ExpectPoint({0, 5.5228f}, Parse(u"M0 0 A10 10 0 0 0 20 0").path.points[1]);
    // Flags without separators, and radii too small for the distance grown to fit.
    const IconPath compact = Parse(u"M0 0a10 10 0 0120 0").path;
    const IconPath grown = Parse(u"M0 0 A1 1 0 0 1 20 0").path;
    ASSERT_EQ(7u, compact.points.size());
    ASSERT_EQ(7u, grown.points.size());
    for (std::size_t i = 0; i < 7; ++i) {
        ExpectPoint(clockwise.path.points[i], compact.points[i]);
        ExpectPoint(clockwise.path.points[i], grown.points[i]);
    }
    // The large arc of a circle of radius 10 between points 10 apart goes the long way round.
    const IconRect large = Parse(u"M0 0 A10 10 0 1 1 10 0").path.Bounds();
    EXPECT_NEAR(-8.66f - 10, large.top, 0.6f);
    EXPECT_EQ("S 0,0 L 10,10", Describe(Parse(u"M0 0 A0 5 0 0 1 10 10").path));  // no radius: a line
    EXPECT_EQ("S 5,5", Describe(Parse(u"M5 5 A3 3 0 0 1 5 5").path));        // no distance: nothing
    // Radii 20 and 10 between points 40 apart downwards: turned 90 degrees the long radius
    // lies along the chord and the arc bulges 10 to the right; unturned, the radii grow
    // to 40 and 20 to reach, and it bulges 40.
    EXPECT_NEAR(10.0f, Parse(u"M0 0 A20 10 90 0 1 0 40").path.Bounds().right, 0.01f);
    EXPECT_NEAR(40.0f, Parse(u"M0 0 A20 10 0 0 1 0 40").path.Bounds().right, 0.01f);
}

TEST(PathData, MalformedTextKeepsWhatCameBefore)
{
    const Parsed cut = Parse(u"M10 10 L20 20 L30");
    EXPECT_EQ(PathParse::Stopped, cut.result);
    EXPECT_EQ("S 10,10 L 20,20", Describe(cut.path));
    EXPECT_EQ(PathParse::Stopped, Parse(u"M1 1 X 2 2").result);
    EXPECT_EQ(PathParse::Stopped, Parse(u"1 2").result);
    EXPECT_TRUE(Parse(u"1 2").path.Empty());
    EXPECT_EQ(PathParse::Stopped, Parse(u"M1e 2").result);
    EXPECT_EQ(PathParse::Stopped, Parse(u"M0 0 z 1 1").result);
    EXPECT_EQ(PathParse::Stopped, Parse(u"M0 0 A1 1 0 2 1 5 5").result);  // a flag is 0 or 1
    EXPECT_EQ(PathParse::Stopped, Parse(u"M0 0 L1 1 \u00e9").result);
    EXPECT_EQ(PathParse::Complete, Parse(u"").result);
    EXPECT_TRUE(Parse(u"Z z M1 1 Z Z").path.Empty());
}

TEST(PathData, MillionCommandsEndAtTheBudget)
{
    std::u16string text = u"M0 0";
    for (int i = 0; i < 1000000; ++i) text += u"l1 1";
    std::size_t budget = 50000;
    IconPath path;
    EXPECT_EQ(PathParse::OverBudget, CPathData::Parse(text, path, budget));
    EXPECT_EQ(0u, budget);
    EXPECT_EQ(50000u, path.points.size());
    // The budget is shared: a second path finds nothing left.
    IconPath next;
    EXPECT_EQ(PathParse::OverBudget, CPathData::Parse(u"M0 0", next, budget));
    EXPECT_TRUE(next.Empty());
}

TEST(IconGeometry, MatricesCombineInOrderAndInvert)
{
    // Scale first, then move: (1, 1) -> (2, 3) -> (12, 3).
    const IconMatrix m = IconMatrix::Combine(IconMatrix::Translate(10, 0), IconMatrix::Scale(2, 3));
    ExpectPoint({12, 3}, m.Apply({1, 1}));
    ExpectPoint({0, 1}, IconMatrix::Rotate(90).Apply({1, 0}));  // clockwise on the screen
    IconMatrix inverse;
    ASSERT_TRUE(IconMatrix::Combine(IconMatrix::Rotate(30), m).Invert(inverse));
    ExpectPoint({5, -7}, inverse.Apply(IconMatrix::Combine(IconMatrix::Rotate(30), m).Apply({5, -7})));
    EXPECT_FALSE(IconMatrix::Scale(0, 1).Invert(inverse));
}

TEST(IconGeometry, ShapesAndTheirBounds)
{
    const IconRect box = IconPath::Ellipse({10, 20, 30, 60}).Bounds();
    EXPECT_FLOAT_EQ(10, box.left);
    EXPECT_FLOAT_EQ(60, box.bottom);
    // A radius larger than half a side is cut to it: the curve starts at the side's middle.
    const IconPath pill = IconPath::RoundedRectangle({0, 0, 40, 10}, 50);
    ExpectPoint({5, 0}, pill.points[0]);
    EXPECT_EQ(4u, IconPath::Rectangle({0, 0, 1, 1}).points.size());
    EXPECT_TRUE(IconPath::Rectangle({0, 0, 1, 1}).types.back() & kPathClose);
    IconPath far;
    far.MoveTo({1e30f, 0});
    EXPECT_FALSE(far.Finite());
}
