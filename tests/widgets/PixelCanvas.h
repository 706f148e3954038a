// A 32-bit top-down memory bitmap in a memory device context, for drawing tests that
// read back exact pixels; and small GDI+ helpers for those tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "GdiObjects.h"
#include "GdiPlusObjects.h"

class CPixelCanvas {
public:
    CPixelCanvas(int width, int height, COLORREF fill);
    CPixelCanvas(const CPixelCanvas&) = delete;
    CPixelCanvas& operator=(const CPixelCanvas&) = delete;
    ~CPixelCanvas();

    HDC DC() const { return m_dc.Get(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    void Fill(COLORREF colour);
    COLORREF Pixel(int x, int y) const;

    // Runs the drawing on a GDI+ graphics made for this call, with the main window's
    // quality settings (bicubic interpolation, high-quality smoothing and compositing),
    // and ends it before returning, so that every pixel has arrived.
    void DrawWithGdiPlus(const std::function<void(CGdipGraphics&)>& draw);

    // The number of pixels that are not the given colour.
    int CountOtherThan(COLORREF colour) const;

private:
    int m_nWidth;
    int m_nHeight;
    CMemoryDC m_dc;
    CScopedBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    std::uint32_t* m_pBits = nullptr;
};

// A GDI+ bitmap (ARGB) whose pixels come from a function of x and y.
CGdipImage MakeImage(int width, int height, const std::function<Gdiplus::ARGB(int x, int y)>& pixel);

constexpr Gdiplus::ARGB Opaque(COLORREF colour)
{
    return 0xFF000000u | (Gdiplus::ARGB(GetRValue(colour)) << 16) | (Gdiplus::ARGB(GetGValue(colour)) << 8) |
           GetBValue(colour);
}

// Writes the canvas to a PNG file, each pixel enlarged to scale x scale, without smoothing.
bool SaveCanvasPng(const CPixelCanvas& canvas, int scale, const std::wstring& path);

// Each channel within the tolerance.
bool NearColour(COLORREF a, COLORREF b, int tolerance);
