// The main window's images at its display scale: each loaded from the set drawn for the
// nearest scale at or above it, and resampled once where that set's scale is not the
// window's, so that painting never stretches them.
#pragma once

#include <windows.h>

#include "DisplayScale.h"
#include "GdiPlusObjects.h"

// The resource of the set drawn for the scale: the 96-dpi id plus IDB_SET_STEP per set.
UINT ScaledResourceId(UINT id, const DisplayScale& scale);

struct WindowImages {
    CGdipImage frame;
    CGdipImage close;
    CGdipImage button;
    CGdipImage selector;
    CGdipImage selectorArrows;
    CGdipImage defaultIcon;
    CGdipImage separator;
    CGdipImage warning;

    void Load(HMODULE module, const DisplayScale& scale);
};
