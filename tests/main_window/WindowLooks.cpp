#include "WindowLooks.h"

#include "ImageDrawing.h"
#include "PngResource.h"
#include "TestData.h"
#include "WindowZones.h"
#include "resource.h"

namespace flat = Gdiplus::DllExports;

COLORREF SkinPixel(UINT pngId, int frames, int frame, int x, int y, bool stacked, COLORREF background)
{
    const CGdipImage image = LoadPngResource(::GetModuleHandleW(nullptr), pngId);
    UINT width = 0, height = 0;
    GetImageSize(image, width, height);
    if (!image || frames <= 0) return CLR_INVALID;
    const int px = stacked ? x : int(width) / frames * frame + x;
    const int py = stacked ? int(height) / frames * frame + y : y;
    Gdiplus::ARGB argb = 0;
    flat::GdipBitmapGetPixel(reinterpret_cast<Gdiplus::GpBitmap*>(image.Get()), px, py, &argb);
    const int alpha = background == CLR_INVALID ? 255 : int(argb >> 24);
    const auto blend = [alpha](int over, int under) { return (over * alpha + under * (255 - alpha) + 127) / 255; };
    return RGB(blend((argb >> 16) & 0xFF, GetRValue(background)), blend((argb >> 8) & 0xFF, GetGValue(background)),
               blend(argb & 0xFF, GetBValue(background)));
}

int PushButtonFrameAt(const CPixelCanvas& window, const BoxRect& zone)
{
    const COLORREF shown = window.Pixel(zone.x + 3, zone.y + 11);
    for (int frame = 0; frame < 4; ++frame) {
        if (NearColour(shown, SkinPixel(IDB_PUSH_BUTTON, 4, frame, 3, 11), 2)) return frame;
    }
    return -1;
}

int CloseButtonFrameAt(const CPixelCanvas& window)
{
    const BoxRect button = CloseButtonRect(window.Width());
    const COLORREF shown = window.Pixel(button.x + 5, button.y + 15);
    for (int frame = 1; frame < 3; ++frame) {
        if (NearColour(shown, SkinPixel(IDB_CLOSE_BUTTON, 4, frame, 5, 15, true), 2)) return frame;
    }
    return 0;  // frame 0 is transparent there: the title band shows through
}

bool SelectorShown(const CPixelCanvas& window) { return SelectorShownAt(window, kLocationRect); }

bool SelectorShownAt(const CPixelCanvas& window, const BoxRect& zone)
{
    const COLORREF shown = window.Pixel(zone.x + 3, zone.y + 10);
    for (int frame = 0; frame < 3; ++frame) {
        if (NearColour(shown, SkinPixel(IDB_SELECTOR, 3, frame, 3, 10), 1)) return true;
    }
    return false;
}

std::wstring SharedPackage(const char* name)
{
    const std::string path = TestDataPath(std::string("apks/") + name);
    return std::wstring(path.begin(), path.end());
}

std::wstring OwnPackage(const char* name)
{
    const std::string path = std::string(APKI_OWN_APKS_DIR) + "\\" + name;
    return std::wstring(path.begin(), path.end());
}
