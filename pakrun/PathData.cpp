#include "PathData.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Digits beyond this many add nothing a float can hold; they only move the exponent.
constexpr int kMaxMantissaDigits = 18;
// Exponents beyond this make a number no drawing can use; they are cut here.
constexpr int kMaxExponent = 60;

bool IsSeparator(char16_t c)
{
    return c == u' ' || c == u',' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool StartsNumber(char16_t c)
{
    return IsDigit(c) || c == u'.' || c == u'-' || c == u'+';
}

// How many numbers one command takes; -1 for a letter that is no command.
int ParameterCount(char16_t command)
{
    switch (command) {
    case u'M': case u'm': case u'L': case u'l': case u'T': case u't': return 2;
    case u'H': case u'h': case u'V': case u'v': return 1;
    case u'C': case u'c': return 6;
    case u'S': case u's': case u'Q': case u'q': return 4;
    case u'A': case u'a': return 7;
    case u'Z': case u'z': return 0;
    default: return -1;
    }
}

char16_t Upper(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

class CNumberReader {
public:
    explicit CNumberReader(std::u16string_view text) : m_text(text) {}

    // Skips separators; true when text remains.
    bool More()
    {
        while (m_nPos < m_text.size() && IsSeparator(m_text[m_nPos])) ++m_nPos;
        return m_nPos < m_text.size();
    }
    char16_t Peek() const { return m_text[m_nPos]; }
    void Skip() { ++m_nPos; }

    bool Number(double& out)
    {
        if (!More()) return false;
        bool negative = false;
        if (Peek() == u'-' || Peek() == u'+') {
            negative = Peek() == u'-';
            Skip();
        }
        double mantissa = 0;
        int exponent = 0;
        int digits = 0;
        bool any = false;
        bool point = false;
        for (; m_nPos < m_text.size(); ++m_nPos) {
            const char16_t c = m_text[m_nPos];
            if (c == u'.') {
                if (point) break;  // "1.5.5": the second point starts the next number
                point = true;
            } else if (IsDigit(c)) {
                any = true;
                if (digits < kMaxMantissaDigits) {
                    mantissa = mantissa * 10 + (c - u'0');
                    if (mantissa != 0) ++digits;
                    if (point) --exponent;
                } else if (!point) {
                    ++exponent;
                }
            } else {
                break;
            }
        }
        if (!any) return false;
        exponent += ExponentPart();
        exponent = std::clamp(exponent, -kMaxExponent, kMaxExponent);
        out = mantissa * std::pow(10.0, exponent);
        if (negative) out = -out;
        return true;
    }

    // An arc flag: one character, 0 or 1, that may stand right before the next number.
    bool Flag(double& out)
    {
        if (!More() || (Peek() != u'0' && Peek() != u'1')) return false;
        out = Peek() == u'1' ? 1 : 0;
        Skip();
        return true;
    }

private:
    // "e-3" after a number; an "e" without digits is left for the caller to refuse.
    int ExponentPart()
    {
        if (m_nPos >= m_text.size() || (m_text[m_nPos] != u'e' && m_text[m_nPos] != u'E')) return 0;
        std::size_t at = m_nPos + 1;
        bool negative = false;
        if (at < m_text.size() && (m_text[at] == u'-' || m_text[at] == u'+')) negative = m_text[at++] == u'-';
        if (at >= m_text.size() || !IsDigit(m_text[at])) return 0;
        int value = 0;
        for (; at < m_text.size() && IsDigit(m_text[at]); ++at) value = std::min(value * 10 + (m_text[at] - u'0'), 10000);
        m_nPos = at;
        return negative ? -value : value;
    }

    std::u16string_view m_text;
    std::size_t m_nPos = 0;
};

struct Point2 {
    double x = 0;
    double y = 0;
};

// Beyond this a number only stands for "far away"; cut here it still fits a float.
constexpr double kFarthest = 1e30;

float Narrow(double value)
{
    return float(std::clamp(value, -kFarthest, kFarthest));  // NaN stays NaN
}

IconPoint ToPoint(Point2 p)
{
    return {Narrow(p.x), Narrow(p.y)};
}

// The arc from p0 to p1 of an ellipse with radii rx, ry turned by angle degrees, as at
// most four cubic curves (SVG's endpoint parameterisation).
void ArcTo(IconPath& path, Point2 p0, double rx, double ry, double angle, bool large, bool sweep, Point2 p1)
{
    if (p0.x == p1.x && p0.y == p1.y) return;
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0) {
        path.LineTo(ToPoint(p1));
        return;
    }
    const double phi = angle * kPi / 180, cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    const double dx = (p0.x - p1.x) / 2, dy = (p0.y - p1.y) / 2;
    const double x1 = cosPhi * dx + sinPhi * dy, y1 = -sinPhi * dx + cosPhi * dy;
    const double lambda = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double numerator = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double denominator = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double coefficient = denominator > 0 ? std::sqrt(std::max(0.0, numerator / denominator)) : 0;
    if (large == sweep) coefficient = -coefficient;
    const double cx1 = coefficient * rx * y1 / ry, cy1 = -coefficient * ry * x1 / rx;
    const double cx = cosPhi * cx1 - sinPhi * cy1 + (p0.x + p1.x) / 2;
    const double cy = sinPhi * cx1 + cosPhi * cy1 + (p0.y + p1.y) / 2;
    const double start = std::atan2((y1 - cy1) / ry, (x1 - cx1) / rx);
    double sweepAngle = std::atan2((-y1 - cy1) / ry, (-x1 - cx1) / rx) - start;
    if (sweep && sweepAngle < 0) sweepAngle += 2 * kPi;
    if (!sweep && sweepAngle > 0) sweepAngle -= 2 * kPi;
    const int segments = std::clamp(int(std::ceil(std::fabs(sweepAngle) / (kPi / 2) - 1e-9)), 1, 4);
    const double step = sweepAngle / segments;
    const double t = 4.0 / 3.0 * std::tan(step / 4);
    auto map = [&](double ux, double uy) {
        return Point2{cx + rx * cosPhi * ux - ry * sinPhi * uy, cy + rx * sinPhi * ux + ry * cosPhi * uy};
    };
    for (int i = 0; i < segments; ++i) {
        const double a1 = start + step * i, a2 = a1 + step;
        const Point2 c1 = map(std::cos(a1) - t * std::sin(a1), std::sin(a1) + t * std::cos(a1));
        const Point2 c2 = map(std::cos(a2) + t * std::sin(a2), std::sin(a2) - t * std::cos(a2));
        const Point2 end = i + 1 == segments ? p1 : map(std::cos(a2), std::sin(a2));
        path.CubicTo(ToPoint(c1), ToPoint(c2), ToPoint(end));
    }
}

class CPathBuilder {
public:
    explicit CPathBuilder(IconPath& path) : m_path(path) {}

    // One command with its parameters; command is the letter as written.
    void Execute(char16_t command, const double* v)
    {
        const bool relative = command >= u'a';
        const char16_t kind = Upper(command);
        const double ox = relative ? m_current.x : 0, oy = relative ? m_current.y : 0;
        if (kind != u'M') OpenFigure();
        Point2 control = m_current;
        switch (kind) {
        case u'M':
            m_current = m_start = {ox + v[0], oy + v[1]};
            m_path.MoveTo(ToPoint(m_current));
            m_bFigureOpen = true;
            break;
        case u'L': LineTo({ox + v[0], oy + v[1]}); break;
        case u'H': LineTo({ox + v[0], m_current.y}); break;
        case u'V': LineTo({m_current.x, oy + v[0]}); break;
        case u'C':
            CubicTo({ox + v[0], oy + v[1]}, {ox + v[2], oy + v[3]}, {ox + v[4], oy + v[5]});
            break;
        case u'S':
            if (m_lastKind == u'C' || m_lastKind == u'S') control = Reflected();
            CubicTo(control, {ox + v[0], oy + v[1]}, {ox + v[2], oy + v[3]});
            break;
        case u'Q': QuadTo({ox + v[0], oy + v[1]}, {ox + v[2], oy + v[3]}); break;
        case u'T':
            if (m_lastKind == u'Q' || m_lastKind == u'T') control = Reflected();
            QuadTo(control, {ox + v[0], oy + v[1]});
            break;
        case u'A': {
            const Point2 end{ox + v[5], oy + v[6]};
            ArcTo(m_path, m_current, v[0], v[1], v[2], v[3] != 0, v[4] != 0, end);
            m_current = end;
            break;
        }
        default: break;
        }
        m_lastKind = kind;
    }

    void Close()
    {
        if (m_bFigureOpen) m_path.Close();
        m_bFigureOpen = false;
        m_current = m_start;
        m_lastKind = u'Z';
    }

private:
    // A drawing command after a close starts a new figure where the closed one began.
    void OpenFigure()
    {
        if (m_bFigureOpen) return;
        m_path.MoveTo(ToPoint(m_current));
        m_start = m_current;
        m_bFigureOpen = true;
    }
    Point2 Reflected() const { return {2 * m_current.x - m_lastControl.x, 2 * m_current.y - m_lastControl.y}; }
    void LineTo(Point2 p)
    {
        m_path.LineTo(ToPoint(p));
        m_current = p;
    }
    void CubicTo(Point2 c1, Point2 c2, Point2 p)
    {
        m_path.CubicTo(ToPoint(c1), ToPoint(c2), ToPoint(p));
        m_lastControl = c2;
        m_current = p;
    }
    // A quadratic curve is the cubic whose control points lie two thirds of the way
    // from each end to the quadratic's control point.
    void QuadTo(Point2 q, Point2 p)
    {
        const Point2 c1{m_current.x + 2.0 / 3 * (q.x - m_current.x), m_current.y + 2.0 / 3 * (q.y - m_current.y)};
        const Point2 c2{p.x + 2.0 / 3 * (q.x - p.x), p.y + 2.0 / 3 * (q.y - p.y)};
        m_path.CubicTo(ToPoint(c1), ToPoint(c2), ToPoint(p));
        m_lastControl = q;
        m_current = p;
    }

    IconPath& m_path;
    Point2 m_current;
    Point2 m_start;
    Point2 m_lastControl;
    char16_t m_lastKind = 0;
    bool m_bFigureOpen = false;
};

}  // namespace

PathParse CPathData::Parse(std::u16string_view text, IconPath& out, std::size_t& commandBudget)
{
    CNumberReader reader(text);
    CPathBuilder builder(out);
    char16_t command = 0;
    while (reader.More()) {
        const char16_t c = reader.Peek();
        if (ParameterCount(c) >= 0) {
            command = c;
            reader.Skip();
        } else if (!StartsNumber(c) || command == 0 || ParameterCount(command) == 0) {
            return PathParse::Stopped;
        } else if (command == u'M' || command == u'm') {
            // Pairs after a move are lines.
            command = command == u'M' ? u'L' : u'l';
        }
        if (commandBudget == 0) return PathParse::OverBudget;
        --commandBudget;
        const int count = ParameterCount(command);
        if (count == 0) {
            builder.Close();
            continue;
        }
        double values[7];
        for (int i = 0; i < count; ++i) {
            const bool flag = Upper(command) == u'A' && (i == 3 || i == 4);
            if (!(flag ? reader.Flag(values[i]) : reader.Number(values[i]))) return PathParse::Stopped;
        }
        builder.Execute(command, values);
    }
    return PathParse::Complete;
}
