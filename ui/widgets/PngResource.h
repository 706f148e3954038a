// The PNG images embedded in the program, as resources of type 23 under numeric ids.
#pragma once

#include "GdiPlusObjects.h"

// Decodes the PNG resource with this id from the module. A missing resource or bytes that
// are no image give an empty image that records the failure, reports a size of 0 x 0 and
// draws nothing.
CGdipImage LoadPngResource(HMODULE module, UINT id);
