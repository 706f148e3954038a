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

bool SaveCanvasPng(const CPixelCanvas& canvas, int scale, const std::wstring& path)
{
    const int width = canvas.Width() * scale, height = canvas.Height() * scale;
    Gdiplus::GpBitmap* native = nullptr;
    const Gdiplus::GpStatus created =
        flat::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &native);
    const CGdipImage bitmap(native, created);
    Gdiplus::BitmapData data{};
    const Gdiplus::Rect all(0, 0, width, height);
    if (!bitmap || flat::GdipBitmapLockBits(native, &all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) !=
                       Gdiplus::Ok) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<Gdiplus::ARGB*>(static_cast<BYTE*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < width; ++x) row[x] = Opaque(canvas.Pixel(x / scale, y / scale));
    }
    flat::GdipBitmapUnlockBits(native, &data);

    static const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    return flat::GdipSaveImageToFile(bitmap.Get(), path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
}
