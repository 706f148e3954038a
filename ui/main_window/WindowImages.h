// The main window's images at its display scale: each loaded from the set drawn for the
// nearest scale at or above it, and resampled once where that set's scale is not the
// window's, so that painting never stretches them.
#pragma once

#include <windows.h>

#include "DisplayScale.h"
#include "GdiPlusObjects.h"

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
