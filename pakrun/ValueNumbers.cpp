#include "ValueNumbers.h"

#include <cmath>
#include <cstring>

namespace {

// Android's packed format: a 24-bit signed mantissa, a radix saying where its binary
// point sits, and a 4-bit unit.
constexpr float kRadixFactors[4] = {1.0f / 256, 1.0f / 32768, 1.0f / 8388608, 1.0f / 2147483648.0f};

}  // namespace

bool CValueNumbers::Float(const ResValue& value, float& out)
{
    if (value.type == ResValue::kFloat) {
        std::memcpy(&out, &value.data, sizeof out);
        return std::isfinite(out);  // NaN and infinities are no numbers to draw with
    }
    if (value.type == ResValue::kIntDec || value.type == ResValue::kIntHex) {
        out = float(std::int32_t(value.data));
        return true;
    }
    return false;
}

float CValueNumbers::Complex(std::uint32_t data)
{
    return float(std::int32_t(data & 0xFFFFFF00u)) * kRadixFactors[(data >> 4) & 3];
}

bool CValueNumbers::Dimension(const ResValue& value, float& out)
{
    if (value.type != kDimension) return Float(value, out);
    static constexpr float kUnits[6] = {1.0f / 3, 1, 1, 160.0f / 72, 160, 160 / 25.4f};  // px dp sp pt in mm
    const std::uint32_t unit = value.data & 0xF;
    if (unit >= 6) return false;
    out = Complex(value.data) * kUnits[unit];
    return true;
}

bool CValueNumbers::Fraction(const ResValue& value, float& out)
{
    if (value.type != kFraction) return false;
    out = Complex(value.data);
    return true;
}

bool CValueNumbers::Colour(const ResValue& value, std::uint32_t& out)
{
    if (value.type < kFirstColour || value.type > kLastColour) return false;
    const bool opaque = value.type == 0x1d || value.type == 0x1f;
    out = opaque ? (value.data | 0xFF000000u) : value.data;
    return true;
}

bool CValueNumbers::Integer(const ResValue& value, std::int32_t& out)
{
    if (!value.IsInteger()) return false;
    out = std::int32_t(value.data);
    return true;
}
