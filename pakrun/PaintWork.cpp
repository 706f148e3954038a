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
    double work = CPaintWork::kPerPixel * CPaintWork::ShownPixels(box, side, scale);
    if (paint.kind == IconPaintKind::Radial || paint.kind == IconPaintKind::Sweep) {
        const IconRect shown = CGradientLayout::Shown(box, float(side), scale);
        if (shown.Width() > 0 && shown.Height() > 0) {
            work += CPaintWork::kPerGradientPixel * std::ceil(double(shown.Width()) * scale) *
                    std::ceil(double(shown.Height()) * scale);
        }
    }
    return work;
}

double BitmapPixels(const IconBitmap& bitmap)
{
    std::uint32_t width = 0, height = 0;
    if (!CImageFormat::Size(bitmap.bytes.data(), bitmap.bytes.size(), width, height)) return CPaintWork::kUnknownBitmapPixels;
    return double(width) * double(height);
}

}  // namespace

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
    std::vector<bool> decoded(scene.bitmaps.size());
    for (const IconShape& shape : scene.shapes) {
        const double clips = shape.clip >= 0 && std::size_t(shape.clip) < clipWork.size() ? clipWork[std::size_t(shape.clip)] : 0;
        work += kPerShape + clips;
        if (shape.bitmap >= 0) {
            work += kPerBitmapPixel * ShownPixels(shape.bitmapRect, scene.size, scale);
            if (std::size_t(shape.bitmap) < decoded.size() && !decoded[std::size_t(shape.bitmap)]) {
                decoded[std::size_t(shape.bitmap)] = true;
                work += kPerDecodedPixel * BitmapPixels(scene.bitmaps[std::size_t(shape.bitmap)]);
            }
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
