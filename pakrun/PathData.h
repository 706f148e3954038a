// Android's path data (a vector drawable's android:pathData, SVG's path grammar): the
// commands M L H V C S Q T A Z, each absolute or relative (lower case), parameters
// repeated without repeating the command, numbers as "1.5.5" (1.5 and .5), "-.5",
// "2e-1" or "1-2" (1 and -2), and arc flags written without separators ("a1 1 0 01 2 2").
// Quadratic curves and arcs become cubic curves.
#pragma once

#include <cstddef>
#include <string_view>

#include "IconGeometry.h"

enum class PathParse {
    Complete,    // the whole text was read
    Stopped,     // a malformed part ended the reading; what came before it is kept
    OverBudget,  // the command budget ran out: the path is not to be drawn
};

class CPathData {
public:
    // Appends the path's figures to out. Each command read, repeated ones included,
    // takes one from commandBudget.
    static PathParse Parse(std::u16string_view text, IconPath& out, std::size_t& commandBudget);
};
