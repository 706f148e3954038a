// The display scale a window is drawn at: its monitor's dots per inch against the 96 that
// every fixed size of the layout is written for. Pure integer maths, so that the geometry
// built on it is the same natively and on Windows.
#pragma once

#include "BoxRect.h"

inline constexpr int kBaseDpi = 96;

struct DisplayScale {
    int dpi = kBaseDpi;

    // A dpi that cannot be a display's (0, negative, absurdly large) reads as 96.
    static DisplayScale ForDpi(int dpi);

    bool IsBase() const { return dpi == kBaseDpi; }
    // A length of the 96-dpi layout in this scale's pixels, halves rounded away from zero,
    // so that 1 stays at least 1 and an edge never moves by more than half a pixel.
    int Px(int length) const;
    // A box's corner and its size each scaled: a picture drawn for the scaled size fits the
    // box exactly, whatever the rounding of its corner.
    BoxRect Box(const BoxRect& box) const;
    // A font or line size in this scale.
    float Size(float length) const { return length * float(dpi) / float(kBaseDpi); }

    bool operator==(const DisplayScale& other) const { return dpi == other.dpi; }
    bool operator!=(const DisplayScale& other) const { return dpi != other.dpi; }
};

// The image sets the program carries, in percent of the 96-dpi size.
inline constexpr int kImageSetPercents[] = {100, 125, 150, 200};

// The set to load for a scale: the smallest at or above it, the largest above them all;
// as its place in kImageSetPercents, and as its percent.
int ImageSetIndexFor(const DisplayScale& scale);
int ImageSetPercentFor(const DisplayScale& scale);
