// The numbers that typed resource values hold: floats, dimensions, fractions, colours
// and integers, as drawables read them.
#pragma once

#include <cstdint>

#include "ResValue.h"

class CValueNumbers {
public:
    static constexpr std::uint8_t kDimension = 0x05;
    static constexpr std::uint8_t kFraction = 0x06;
    static constexpr std::uint8_t kFirstColour = 0x1c;  // #aarrggbb, #rrggbb, #argb, #rgb
    static constexpr std::uint8_t kLastColour = 0x1f;

    // A float, or an integer taken as one.
    static bool Float(const ResValue& value, float& out);
    // A dimension in dp: dp and sp as they are, px as pixels of a 3x screen (the common
    // phone density), pt, in and mm by their size; a plain number counts as dp.
    static bool Dimension(const ResValue& value, float& out);
    // A fraction: "18%" is 0.18, of the base or the parent alike.
    static bool Fraction(const ResValue& value, float& out);
    // 0xAARRGGBB; the forms without alpha are opaque.
    static bool Colour(const ResValue& value, std::uint32_t& out);
    // An integer, enum, flag or boolean.
    static bool Integer(const ResValue& value, std::int32_t& out);

private:
    // A dimension's or fraction's number, before its unit.
    static float Complex(std::uint32_t data);
};
