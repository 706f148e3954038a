// GDI+ through its flat API, included the same way for mingw-w64 and MSVC. Both declare
// the types in namespace Gdiplus and the functions in Gdiplus::DllExports.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <algorithm>

// MSVC's GDI+ headers call min and max unqualified; NOMINMAX removes the macros they expect.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus

#include <gdiplus.h>
