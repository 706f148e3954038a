// The one font face of the window's texts, with a fallback when it is not installed.
#pragma once

#include "GdiPlusObjects.h"

// A font of the face "微软雅黑" (Microsoft's Chinese interface face), or of the generic
// sans-serif family when that face is missing or cannot make the font. An empty font,
// which draws no text, when neither can.
CGdipFont CreateUiFont(Gdiplus::REAL size, INT style, Gdiplus::Unit unit);

// The same for any face name.
CGdipFont CreateFontOrSansSerif(const wchar_t* face, Gdiplus::REAL size, INT style, Gdiplus::Unit unit);
