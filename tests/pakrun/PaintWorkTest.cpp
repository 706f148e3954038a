// The work of painting a scene, counted before painting: rows and crossings of each
// region, pixels of each fill, gradients and bitmaps; and the icons it lets through.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "ApkParser.h"
#include "OwnPackages.h"
#include "PaintWork.h"
#include "PngWriter.h"
#include "TestData.h"

namespace {

constexpr float kScale = 4;

// n squares of side 10 pixels drawn over each other in one path.
IconPath Squares(int n)
{
    IconPath path;
    for (int i = 0; i < n; ++i) {
        const IconPath square = IconPath::Rectangle({0, 0, 10, 10});
        path.points.insert(path.points.end(), square.points.begin(), square.points.end());
        path.types.insert(path.types.end(), square.types.begin(), square.types.end());
    }
    return path;
}

IconShape Filled(IconPath path, IconPaint paint = IconPaint::Solid(0xFF000000))
{
    IconShape shape;
    shape.path = std::move(path);
    shape.fill = std::move(paint);
    return shape;
}

double SceneWork(std::vector<IconShape> shapes, std::vector<IconClip> clips = {}, std::vector<IconBitmap> bitmaps = {})
{
    IconScene scene;
    scene.size = 70;
    scene.shapes = std::move(shapes);
    scene.clips = std::move(clips);
    scene.bitmaps = std::move(bitmaps);
    return CPaintWork::OfScene(scene, kScale);
}

}  // namespace

TEST(PaintWork, RegionVisitsEveryRowAndSquaresTheEdgesCrossingEach)
{
    // 40 device rows, two edges crossing each.
    const double square = 40 * CPaintWork::kPerRow + 40 * 4;
    EXPECT_DOUBLE_EQ(square, CPaintWork::OfRegion(Squares(1), kScale, 0, 1));
    // Squares over each other: the same rows, crossed 2n times.
    EXPECT_DOUBLE_EQ(40 * CPaintWork::kPerRow + 40 * 100.0 * 100.0, CPaintWork::OfRegion(Squares(50), kScale, 0, 1));
    // A figure left open is filled closed; a curve counts as its control polygon.
    IconPath open;
    open.MoveTo({0, 0});
    open.LineTo({10, 10});
    open.LineTo({0, 10});
    EXPECT_DOUBLE_EQ(square, CPaintWork::OfRegion(open, kScale, 0, 1));
    IconPath arch;
    arch.MoveTo({0, 10});
    arch.CubicTo({0, 0}, {10, 0}, {10, 10});
    EXPECT_DOUBLE_EQ(square, CPaintWork::OfRegion(arch, kScale, 0, 1));
    // A stroke's outline: every edge grown by half the width up and down and counted
    // twice; the sides cross 48 rows four times, the top and bottom 8 rows each twice more.
    EXPECT_DOUBLE_EQ(48 * CPaintWork::kPerRow + 32 * 16 + 16 * 36, CPaintWork::OfRegion(Squares(1), kScale, 1, 2));
    // Rows between figures are visited too.
    IconPath apart = IconPath::Rectangle({0, 0, 10, 10});
    const IconPath below = IconPath::Rectangle({0, 90, 10, 100});
    apart.points.insert(apart.points.end(), below.points.begin(), below.points.end());
    apart.types.insert(apart.types.end(), below.types.begin(), below.types.end());
    EXPECT_DOUBLE_EQ(400 * CPaintWork::kPerRow + 80 * 4, CPaintWork::OfRegion(apart, kScale, 0, 1));
    EXPECT_EQ(0, CPaintWork::OfRegion(IconPath(), kScale, 0, 1));
}

TEST(PaintWork, FarCoordinatesAndNumbersThatAreNoneCostTooMuch)
{
    // A thin triangle from far above the picture to far below: every row is visited.
    IconPath tall;
    tall.MoveTo({0, -1e6f});
    tall.LineTo({1, 1e6f});
    tall.LineTo({2, -1e6f});
    EXPECT_GT(CPaintWork::OfRegion(tall, kScale, 0, 1), CPaintWork::kMaxWork);
    IconPath nan = Squares(1);
    nan.points[2].y = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(CPaintWork::OfRegion(nan, kScale, 0, 1) <= CPaintWork::kMaxWork);
}

TEST(PaintWork, SceneCountsShapesClipsPixelsGradientsAndBitmaps)
{
    const double region = CPaintWork::OfRegion(Squares(1), kScale, 0, 1);
    const double pixels = 40.0 * 40;
    EXPECT_DOUBLE_EQ(CPaintWork::kPerShape + region + CPaintWork::kPerPixel * pixels, SceneWork({Filled(Squares(1))}));
    // Out of the picture: the region is built, no pixel painted.
    IconPath outside = Squares(1);
    outside.Transform(IconMatrix::Translate(100, 0));
    EXPECT_DOUBLE_EQ(CPaintWork::kPerShape + region, SceneWork({Filled(outside)}));
    // A radial gradient is computed over what is shown and a device pixel beyond.
    IconPaint radial;
    radial.kind = IconPaintKind::Radial;
    radial.radius = 5;
    radial.stops = {{0, 0xFFFFFFFF}, {1, 0xFF000000}};
    // Each computed pixel searches the stops.
    const double perComputed = CPaintWork::kPerGradientPixel + 2 * CPaintWork::kPerStopPixel;
    EXPECT_DOUBLE_EQ(CPaintWork::kPerShape + region + CPaintWork::kPerPixel * pixels + perComputed * 42 * 42,
                     SceneWork({Filled(Squares(1), radial)}));
    radial.stops.resize(10000, {1, 0});
    EXPECT_GT(SceneWork({Filled(Squares(1), radial)}), CPaintWork::kMaxWork / 4);
    // So does every pixel a line gradient paints.
    IconPaint linear = radial;
    linear.kind = IconPaintKind::Linear;
    EXPECT_DOUBLE_EQ(SceneWork({Filled(Squares(1))}) + CPaintWork::kPerStopPixel * 10000 * pixels,
                     SceneWork({Filled(Squares(1), linear)}));
    // A stroke is a shape of its own over the grown rows.
    IconShape stroked = Filled(Squares(1), IconPaint());
    stroked.stroke = IconPaint::Solid(0xFFFFFFFF);
    stroked.line.width = 2;
    EXPECT_DOUBLE_EQ(2 * CPaintWork::kPerShape + CPaintWork::OfRegion(Squares(1), kScale, 1, CPaintWork::kStrokeCopies) +
                         CPaintWork::kPerPixel * 48 * 48,
                     SceneWork({stroked}));
    // Each fill builds its clip and the clips up its chain again.
    const double clip = CPaintWork::OfRegion(Squares(2), kScale, 0, 1);
    IconShape clipped = Filled(Squares(1));
    clipped.clip = 1;
    const std::vector<IconClip> chain = {{{Squares(2), IconFillRule::NonZero}, -1}, {{Squares(2), IconFillRule::NonZero}, 0}};
    EXPECT_DOUBLE_EQ(2 * (2 * clip) + 2 * SceneWork({Filled(Squares(1))}), SceneWork({clipped, clipped}, chain));
    // A bitmap layer: every device pixel of it that shows.
    IconShape bitmap;
    bitmap.bitmap = 0;
    bitmap.bitmapRect = {-10, -10, 80, 80};
    const double resampled = CPaintWork::kPerShape + CPaintWork::kPerBitmapPixel * 280 * 280;
    const std::uint32_t transparent[35] = {};
    const std::vector<std::uint8_t> png = CPngWriter::Write(transparent, 7, 5);
    EXPECT_DOUBLE_EQ(2 * resampled, SceneWork({bitmap, bitmap}, {}, {IconBitmap{"a.png", ImageKind::Png, png}}));
}

TEST(PaintWork, BitmapsAreDecodedOnceAtTheirSizeOnlyWhereShownAndReleasedAfterTheirLastLayer)
{
    IconScene scene;
    scene.size = 70;
    const std::uint32_t transparent[35] = {};
    const std::vector<std::uint8_t> png = CPngWriter::Write(transparent, 7, 5);
    scene.bitmaps = {IconBitmap{"a.png", ImageKind::Png, png}, IconBitmap{"b.png", ImageKind::Png, {png.begin(), png.begin() + 20}}};
    IconShape a, b, offScreen;
    a.bitmap = 0;
    a.bitmapRect = {0, 0, 70, 70};
    b = a;
    b.bitmap = 1;
    offScreen = b;
    offScreen.bitmapRect = {-200, 0, -100, 70};
    scene.shapes = {a, a, offScreen};
    // Decoded once, at the size its header gives; a layer that shows nothing is not decoded.
    EXPECT_DOUBLE_EQ(CPaintWork::kPerDecodedPixel * 35, CPaintWork::OfDecoding(scene));
    EXPECT_EQ(std::size_t(CPaintWork::kDecodedPixelBytes * 35), CPaintWork::DecodedPeakBytes(scene));
    // As large as the decoder takes without a size; a's pixels are gone before b's come.
    scene.shapes = {a, b};
    EXPECT_DOUBLE_EQ(CPaintWork::kPerDecodedPixel * (35 + CPaintWork::kUnknownBitmapPixels), CPaintWork::OfDecoding(scene));
    EXPECT_EQ(std::size_t(CPaintWork::kDecodedPixelBytes * CPaintWork::kUnknownBitmapPixels),
              CPaintWork::DecodedPeakBytes(scene));
    scene.shapes = {a, b, a};
    EXPECT_EQ(std::size_t(CPaintWork::kDecodedPixelBytes * (35 + CPaintWork::kUnknownBitmapPixels)),
              CPaintWork::DecodedPeakBytes(scene));
}

TEST(PaintWork, AStrokeWiderThanCoversThePictureIsNarrowedToWhatCoversIt)
{
    // A square around the picture: the centre is farthest from its corners, 35 * sqrt(2);
    // a pixel is at most 70 / 8 / sqrt(2) from the grid that finds it.
    IconShape shape = Filled(IconPath::Rectangle({0, 0, 70, 70}));
    shape.stroke = IconPaint::Solid(0xFF000000);
    shape.line.width = 400;
    const float narrowed = CPaintWork::ClampedStroke(shape, 70);
    EXPECT_NEAR(2 * (35 * std::sqrt(2.0f) + 70.0f / 8 * 0.7072f) + 1, narrowed, 0.01f);
    shape.line.width = 90;
    EXPECT_EQ(90, CPaintWork::ClampedStroke(shape, 70));
    // A path far away keeps the width that reaches the picture.
    shape.path.Transform(IconMatrix::Translate(1000, 0));
    shape.line.width = 3000;
    EXPECT_GT(CPaintWork::ClampedStroke(shape, 70), 2 * 1000);
}

TEST(PaintWorkOwnPackages, LauncherIconsTakeLittleOfWhatIsAllowed)
{
    // A few paths each; bitmap layers, resampled over most of the picture, take more.
    for (const auto& [package, share] : {std::pair{"vector_only", 10}, {"vector_shapes", 10}, {"color_refs", 10},
                                         {"inset_bitmap", 3}, {"adaptive_only", 3}}) {
        SCOPED_TRACE(package);
        const ApkSummary summary = ParseBytes(ReadFileBytes(OwnPackagePath(package)));
        ASSERT_TRUE(summary.icon && summary.icon->scene);
        EXPECT_LT(CPaintWork::OfScene(*summary.icon->scene, CPaintWork::kScale), CPaintWork::kMaxWork / share);
    }
}
