// The main window's outline: a rectangle whose corners are cut in three steps.
#pragma once

#include "GdiObjects.h"

// The rectangle (0, 0)-(width, height) less 3, 2 and 1 pixels on the three outermost rows
// of each corner. The caller owns the region (until it hands it to SetWindowRgn).
CScopedRegion CreateRoundedRegion(int width, int height);
