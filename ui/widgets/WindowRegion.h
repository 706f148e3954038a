// The main window's outline: a rectangle whose corners are cut in steps.
#pragma once

#include "GdiObjects.h"

// The rectangle (0, 0)-(width, height) less a staircase on each corner: the outermost row
// loses cornerRows pixels, the next one fewer, down to one (3, 2 and 1 at 96 dpi). The
// caller owns the region (until it hands it to SetWindowRgn).
CScopedRegion CreateRoundedRegion(int width, int height, int cornerRows = 3);
