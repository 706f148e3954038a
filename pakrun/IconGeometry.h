// Plain geometry of drawn icons: points, affine matrices, and paths as a list of points
// with one type each. The types are the values GDI+ uses for its paths, so that the
// Windows painter hands a path over as it is.
#pragma once

#include <cstdint>
#include <vector>

struct IconPoint {
    float x = 0;
    float y = 0;
};

// Maps (x, y) to (a x + c y + e, b x + d y + f), Android's and SVG's order.
struct IconMatrix {
    float a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    static IconMatrix Translate(float x, float y);
    static IconMatrix Scale(float x, float y);
    static IconMatrix Rotate(float degrees);
    // The matrix that applies inner first, then outer.
    static IconMatrix Combine(const IconMatrix& outer, const IconMatrix& inner);

    IconPoint Apply(IconPoint point) const;
    float Determinant() const { return a * d - b * c; }
    // The matrix that undoes this one; false (out untouched) when there is none.
    bool Invert(IconMatrix& out) const;
};

struct IconRect {
    float left = 0, top = 0, right = 0, bottom = 0;

    float Width() const { return right - left; }
    float Height() const { return bottom - top; }
    IconRect Inflated(float by) const { return {left - by, top - by, right + by, bottom + by}; }
};

enum IconPathType : std::uint8_t {
    kPathStart = 0,    // the first point of a figure
    kPathLine = 1,     // a line to this point
    kPathCubic = 3,    // three in a row: two control points and the end of a cubic curve
    kPathClose = 0x80  // flag on a figure's last point: the figure is closed
};

struct IconPath {
    std::vector<IconPoint> points;
    std::vector<std::uint8_t> types;

    bool Empty() const { return points.empty(); }
    void MoveTo(IconPoint point);
    void LineTo(IconPoint point);
    void CubicTo(IconPoint control1, IconPoint control2, IconPoint end);
    // Closes the open figure, if any.
    void Close();
    // Every point mapped through the matrix.
    void Transform(const IconMatrix& matrix);
    // The box around every point (control points included); all zero for an empty path.
    IconRect Bounds() const;
    // False when a point is not a finite number or lies beyond any sensible drawing.
    bool Finite() const;

    static IconPath Rectangle(const IconRect& rect);
    // An ellipse inside the rectangle, as four cubic curves.
    static IconPath Ellipse(const IconRect& rect);
    // A rectangle with rounded corners (radii cut to half the sides).
    static IconPath RoundedRectangle(const IconRect& rect, float radius);
};
