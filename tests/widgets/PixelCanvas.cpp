#include "PixelCanvas.h"

#include <cstdlib>

namespace flat = Gdiplus::DllExports;

CPixelCanvas::CPixelCanvas(int width, int height, COLORREF fill)
    : m_nWidth(width), m_nHeight(height), m_dc(nullptr)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_pBits = static_cast<std::uint32_t*>(bits);
    if (m_dc && m_bitmap) m_hOldBitmap = ::SelectObject(m_dc.Get(), m_bitmap.Get());
    Fill(fill);
}

CPixelCanvas::~CPixelCanvas()
{
    if (m_hOldBitmap) ::SelectObject(m_dc.Get(), m_hOldBitmap);
}

void CPixelCanvas::Fill(COLORREF colour)
{
    ::GdiFlush();
    if (!m_pBits) return;
    const std::uint32_t value = (std::uint32_t(GetRValue(colour)) << 16) | (std::uint32_t(GetGValue(colour)) << 8) |
                                GetBValue(colour);
    for (int i = 0; i < m_nWidth * m_nHeight; ++i) m_pBits[i] = value;
}

COLORREF CPixelCanvas::Pixel(int x, int y) const
{
    ::GdiFlush();
    if (!m_pBits || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return CLR_INVALID;
    const std::uint32_t value = m_pBits[y * m_nWidth + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

void CPixelCanvas::DrawWithGdiPlus(const std::function<void(CGdipGraphics&)>& draw)
{
    CGdipGraphics graphics;
    graphics.Record(flat::GdipCreateFromHDC(m_dc.Get(), graphics.Receive()));
    flat::GdipSetInterpolationMode(graphics.Get(), Gdiplus::InterpolationModeHighQualityBicubic);
    flat::GdipSetSmoothingMode(graphics.Get(), Gdiplus::SmoothingModeHighQuality);
    flat::GdipSetCompositingQuality(graphics.Get(), Gdiplus::CompositingQualityHighQuality);
    draw(graphics);
    flat::GdipFlush(graphics.Get(), Gdiplus::FlushIntentionSync);
}

int CPixelCanvas::CountOtherThan(COLORREF colour) const
{
    int count = 0;
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x) count += Pixel(x, y) != colour;
    }
    return count;
}

CGdipImage MakeImage(int width, int height, const std::function<Gdiplus::ARGB(int x, int y)>& pixel)
{
    Gdiplus::GpBitmap* bitmap = nullptr;
    const Gdiplus::GpStatus status =
        flat::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    CGdipImage image(bitmap, status);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) flat::GdipBitmapSetPixel(bitmap, x, y, pixel(x, y));
    }
    return image;
}

bool NearColour(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(int(GetRValue(a)) - int(GetRValue(b))) <= tolerance &&
           std::abs(int(GetGValue(a)) - int(GetGValue(b))) <= tolerance &&
           std::abs(int(GetBValue(a)) - int(GetBValue(b))) <= tolerance;
}
