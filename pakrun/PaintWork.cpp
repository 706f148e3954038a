#include "PaintWork.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "GradientLayout.h"
#include "ImageFormat.h"

namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();

double PaintPixels(const IconPaint& paint, const IconRect& box, int side, float scale)
{
    const double shownPixels = CPaintWork::ShownPixels(box, side, scale);
    double work = CPaintWork::kPerPixel * shownPixels;
    if (paint.kind == IconPaintKind::Linear) work += CPaintWork::kPerStopPixel * double(paint.stops.size()) * shownPixels;
    if (paint.kind == IconPaintKind::Radial || paint.kind == IconPaintKind::Sweep) {
        const IconRect shown = CGradientLayout::Shown(box, float(side), scale);
        if (shown.Width() > 0 && shown.Height() > 0) {
            const double computed = std::ceil(double(shown.Width()) * scale) * std::ceil(double(shown.Height()) * scale);
            work += (CPaintWork::kPerGradientPixel + CPaintWork::kPerStopPixel * double(paint.stops.size())) * computed;
        }
    }
    return work;
}

}  // namespace

double CPaintWork::BitmapPixels(const IconBitmap& bitmap)
{
    std::uint32_t width = 0, height = 0;
    if (!CImageFormat::Size(bitmap.bytes.data(), bitmap.bytes.size(), width, height)) return kUnknownBitmapPixels;
    return double(width) * double(height);
}

bool CPaintWork::Shows(const IconShape& shape, int side)
{
    return ShownPixels(shape.bitmapRect, side, 1) > 0;
}

double CPaintWork::OfDecoding(const IconScene& scene)
{
    std::vector<bool> decoded(scene.bitmaps.size());
    double work = 0;
    for (const IconShape& shape : scene.shapes) {
        if (shape.bitmap < 0 || std::size_t(shape.bitmap) >= decoded.size() || decoded[std::size_t(shape.bitmap)] ||
            !Shows(shape, scene.size)) {
            continue;
        }
        decoded[std::size_t(shape.bitmap)] = true;
        work += kPerDecodedPixel * BitmapPixels(scene.bitmaps[std::size_t(shape.bitmap)]);
    }
    return work;
}

std::size_t CPaintWork::DecodedPeakBytes(const IconScene& scene)
{
    // The last shape that shows each bitmap: it is released after that one.
    std::vector<std::size_t> last(scene.bitmaps.size(), scene.shapes.size());
    for (std::size_t i = 0; i < scene.shapes.size(); ++i) {
        const IconShape& shape = scene.shapes[i];
        if (shape.bitmap >= 0 && std::size_t(shape.bitmap) < last.size() && Shows(shape, scene.size)) {
            last[std::size_t(shape.bitmap)] = i;
        }
    }
    std::vector<bool> live(scene.bitmaps.size());
    double held = 0, peak = 0;
    for (std::size_t i = 0; i < scene.shapes.size(); ++i) {
        const IconShape& shape = scene.shapes[i];
        if (shape.bitmap < 0 || std::size_t(shape.bitmap) >= live.size() || !Shows(shape, scene.size)) continue;
        const std::size_t b = std::size_t(shape.bitmap);
        const double bytes = kDecodedPixelBytes * BitmapPixels(scene.bitmaps[b]);
        if (!live[b]) {
            live[b] = true;
            held += bytes;
        }
        peak = std::max(peak, held);
        if (last[b] == i) held -= bytes;
    }
    return peak < double(std::numeric_limits<std::size_t>::max() / 2) ? std::size_t(peak)
                                                                        : std::numeric_limits<std::size_t>::max() / 2;
}

float CPaintWork::ClampedStroke(const IconShape& shape, float side)
{
    if (!shape.stroke.Draws() || shape.path.points.empty() || !(side > 0)) return shape.line.width;
    // Points on the path itself: every line's end and every third point of a curve; at
    // most kMaxCoverPoints of them, evenly, which only makes each distance larger.
    std::vector<IconPoint> on;
    int cubic = 0;
    for (std::size_t i = 0; i < shape.path.points.size(); ++i) {
        const bool isCubic = (shape.path.types[i] & ~kPathClose) == kPathCubic;
        cubic = isCubic ? cubic + 1 : 0;
        if (!isCubic || cubic % 3 == 0) on.push_back(shape.path.points[i]);
    }
    const std::size_t step = on.size() / kMaxCoverPoints + 1;
    // The farthest a pixel of the picture is from the path: at most the farthest point of
    // a grid over it from its nearest path point, plus how far a pixel is from the grid.
    constexpr int kGrid = 8;
    const float spacing = side / kGrid;
    float farthest = 0;
    for (int gy = 0; gy <= kGrid; ++gy) {
        for (int gx = 0; gx <= kGrid; ++gx) {
            float nearest = std::numeric_limits<float>::infinity();
            for (std::size_t i = 0; i < on.size(); i += step) {
                nearest = std::min(nearest, std::hypot(on[i].x - gx * spacing, on[i].y - gy * spacing));
            }
            farthest = std::max(farthest, nearest);
        }
    }
    const float widest = 2 * (farthest + spacing * 0.7072f) + 1;
    return shape.line.width > widest ? widest : shape.line.width;
}

double CPaintWork::OfRegion(const IconPath& path, float scale, float grow, int copies)
{
    // (row, change in the edges crossing the rows from there down)
    std::vector<std::pair<double, int>> events;
    events.reserve(path.points.size() * 2 + 2);
    auto edge = [&](IconPoint p, IconPoint q) {
        const double top = std::floor((double(std::min(p.y, q.y)) - grow) * scale);
        const double bottom = std::ceil((double(std::max(p.y, q.y)) + grow) * scale);
        events.emplace_back(top, copies);
        events.emplace_back(bottom, -copies);
    };
    // Every figure is filled closed: its last point joins its first.
    std::size_t first = 0;
    for (std::size_t i = 1; i <= path.points.size(); ++i) {
        if (i < path.points.size() && (path.types[i] & ~kPathClose) != kPathStart) {
            edge(path.points[i - 1], path.points[i]);
            continue;
        }
        if (i - first > 1) edge(path.points[i - 1], path.points[first]);
        first = i;
    }
    if (events.empty()) return 0;
    std::sort(events.begin(), events.end());
    if (!std::isfinite(events.front().first) || !std::isfinite(events.back().first)) return kInfinite;
    double work = kPerRow * (events.back().first - events.front().first);
    double crossing = 0;
    for (std::size_t i = 0; i + 1 < events.size(); ++i) {
        crossing += events[i].second;
        work += crossing * crossing * (events[i + 1].first - events[i].first);
    }
    return work;
}

double CPaintWork::ShownPixels(const IconRect& box, int side, float scale)
{
    const double width = std::min(double(box.right), double(side)) - std::max(double(box.left), 0.0);
    const double height = std::min(double(box.bottom), double(side)) - std::max(double(box.top), 0.0);
    return width > 0 && height > 0 ? width * height * double(scale) * double(scale) : 0;
}

double CPaintWork::OfScene(const IconScene& scene, float scale)
{
    // Every fill builds the region of each clip up its chain; a clip names only earlier ones.
    std::vector<double> clipWork(scene.clips.size());
    for (std::size_t i = 0; i < scene.clips.size(); ++i) {
        const IconClip& clip = scene.clips[i];
        clipWork[i] = OfRegion(clip.path.path, scale, 0, 1);
        if (clip.parent >= 0 && std::size_t(clip.parent) < i) clipWork[i] += clipWork[std::size_t(clip.parent)];
    }
    double work = 0;
    for (const IconShape& shape : scene.shapes) {
        const double clips = shape.clip >= 0 && std::size_t(shape.clip) < clipWork.size() ? clipWork[std::size_t(shape.clip)] : 0;
        work += kPerShape + clips;
        if (shape.bitmap >= 0) {
            work += kPerBitmapPixel * ShownPixels(shape.bitmapRect, scene.size, scale);
            continue;
        }
        const IconRect bounds = shape.path.Bounds();
        if (shape.fill.Draws()) work += OfRegion(shape.path, scale, 0, 1) + PaintPixels(shape.fill, bounds, scene.size, scale);
        if (shape.stroke.Draws()) {
            const float half = shape.line.width / 2;
            work += kPerShape + clips + OfRegion(shape.path, scale, half, kStrokeCopies) +
                    PaintPixels(shape.stroke, bounds.Inflated(shape.line.width), scene.size, scale);
        }
    }
    return work;
}
