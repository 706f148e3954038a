// What the window's skinned elements look like, read from the embedded images themselves,
// so that a test can tell which frame of a skin the window shows.
#pragma once

#include <windows.h>

#include <string>

#include "BoxRect.h"
#include "PixelCanvas.h"

// The colour of pixel (x, y) of frame `frame` of a strip of `frames` equal frames laid
// side by side (push button, selector) or stacked (close button) in the PNG resource.
// With a background given, the pixel as drawn over it (its alpha blended in).
COLORREF SkinPixel(UINT pngId, int frames, int frame, int x, int y, bool stacked = false,
                   COLORREF background = CLR_INVALID);

// The frame of a push button (4 frames) the window shows in the zone, or -1 for none of
// them: judged at a pixel of the left cap, which is drawn unscaled.
int PushButtonFrameAt(const CPixelCanvas& window, const BoxRect& zone);
// The same for the close button (3 frames stacked), at the button's place for the width.
int CloseButtonFrameAt(const CPixelCanvas& window);
// Whether the location selector's skin is drawn (in any of its frames), at its place or
// at another zone drawn like it (the phone chooser).
bool SelectorShown(const CPixelCanvas& window);
bool SelectorShownAt(const CPixelCanvas& window, const BoxRect& zone);

// The package's test paths as the test program sees them.
std::wstring SharedPackage(const char* name);   // ../shared/testdata/apks/<name>
std::wstring OwnPackage(const char* name);      // tests/data/apks/<name>
