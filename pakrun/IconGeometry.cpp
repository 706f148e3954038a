#include "IconGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.14159265358979f;
// A quarter circle as one cubic curve: the control points lie this far along the tangents.
constexpr float kQuarterArc = 0.5522847498f;
// Far beyond any icon drawn at any size; beyond it a coordinate is a crafted one.
constexpr float kLargestCoordinate = 1.0e7f;

}  // namespace

IconMatrix IconMatrix::Translate(float x, float y)
{
    IconMatrix m;
    m.e = x;
    m.f = y;
    return m;
}

IconMatrix IconMatrix::Scale(float x, float y)
{
    IconMatrix m;
    m.a = x;
    m.d = y;
    return m;
}

IconMatrix IconMatrix::Rotate(float degrees)
{
    const double radians = double(degrees) * kPi / 180.0;
    IconMatrix m;
    m.a = float(std::cos(radians));
    m.b = float(std::sin(radians));
    m.c = -m.b;
    m.d = m.a;
    return m;
}

IconMatrix IconMatrix::Combine(const IconMatrix& o, const IconMatrix& i)
{
    IconMatrix m;
    m.a = o.a * i.a + o.c * i.b;
    m.b = o.b * i.a + o.d * i.b;
    m.c = o.a * i.c + o.c * i.d;
    m.d = o.b * i.c + o.d * i.d;
    m.e = o.a * i.e + o.c * i.f + o.e;
    m.f = o.b * i.e + o.d * i.f + o.f;
    return m;
}

IconPoint IconMatrix::Apply(IconPoint p) const
{
    return {a * p.x + c * p.y + e, b * p.x + d * p.y + f};
}

bool IconMatrix::Invert(IconMatrix& out) const
{
    const double det = double(a) * d - double(b) * c;
    if (!(std::fabs(det) > 1e-12)) return false;
    IconMatrix m;
    m.a = float(d / det);
    m.b = float(-b / det);
    m.c = float(-c / det);
    m.d = float(a / det);
    m.e = float((double(c) * f - double(d) * e) / det);
    m.f = float((double(b) * e - double(a) * f) / det);
    out = m;
    return true;
}

void IconPath::MoveTo(IconPoint point)
{
    // A figure of one point draws nothing: a second move replaces it.
    if (!types.empty() && types.back() == kPathStart) {
        points.back() = point;
        return;
    }
    points.push_back(point);
    types.push_back(kPathStart);
}

void IconPath::LineTo(IconPoint point)
{
    points.push_back(point);
    types.push_back(kPathLine);
}

void IconPath::CubicTo(IconPoint control1, IconPoint control2, IconPoint end)
{
    points.insert(points.end(), {control1, control2, end});
    types.insert(types.end(), 3, kPathCubic);
}

void IconPath::Close()
{
    if (types.empty() || (types.back() & kPathClose)) return;
    if (types.back() == kPathStart) {
        points.pop_back();
        types.pop_back();
        return;
    }
    types.back() |= kPathClose;
}

void IconPath::Transform(const IconMatrix& matrix)
{
    for (IconPoint& point : points) point = matrix.Apply(point);
}

IconRect IconPath::Bounds() const
{
    if (points.empty()) return IconRect();
    IconRect box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const IconPoint& p : points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

bool IconPath::Finite() const
{
    for (const IconPoint& p : points) {
        if (!(std::fabs(p.x) <= kLargestCoordinate && std::fabs(p.y) <= kLargestCoordinate)) return false;
    }
    return true;
}

IconPath IconPath::Rectangle(const IconRect& r)
{
    IconPath path;
    path.MoveTo({r.left, r.top});
    path.LineTo({r.right, r.top});
    path.LineTo({r.right, r.bottom});
    path.LineTo({r.left, r.bottom});
    path.Close();
    return path;
}

IconPath IconPath::Ellipse(const IconRect& r)
{
    const float cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const float kx = r.Width() / 2 * kQuarterArc, ky = r.Height() / 2 * kQuarterArc;
    IconPath path;
    path.MoveTo({r.right, cy});
    path.CubicTo({r.right, cy + ky}, {cx + kx, r.bottom}, {cx, r.bottom});
    path.CubicTo({cx - kx, r.bottom}, {r.left, cy + ky}, {r.left, cy});
    path.CubicTo({r.left, cy - ky}, {cx - kx, r.top}, {cx, r.top});
    path.CubicTo({cx + kx, r.top}, {r.right, cy - ky}, {r.right, cy});
    path.Close();
    return path;
}

IconPath IconPath::RoundedRectangle(const IconRect& r, float radius)
{
    const float rad = std::max(0.0f, std::min({radius, r.Width() / 2, r.Height() / 2}));
    if (rad <= 0) return Rectangle(r);
    const float k = rad * (1 - kQuarterArc);
    IconPath path;
    path.MoveTo({r.left + rad, r.top});
    path.LineTo({r.right - rad, r.top});
    path.CubicTo({r.right - k, r.top}, {r.right, r.top + k}, {r.right, r.top + rad});
    path.LineTo({r.right, r.bottom - rad});
    path.CubicTo({r.right, r.bottom - k}, {r.right - k, r.bottom}, {r.right - rad, r.bottom});
    path.LineTo({r.left + rad, r.bottom});
    path.CubicTo({r.left + k, r.bottom}, {r.left, r.bottom - k}, {r.left, r.bottom - rad});
    path.LineTo({r.left, r.top + rad});
    path.CubicTo({r.left, r.top + k}, {r.left + k, r.top}, {r.left + rad, r.top});
    path.Close();
    return path;
}
