#include "GdipIconPainter.h"

#include <cstring>
#include <optional>
#include <vector>

#include "GdiPlusSession.h"
#include "GdipShapeDrawer.h"
#include "IconPixels.h"
#include "PngWriter.h"
#include "SystemImageDecoder.h"

namespace flat = Gdiplus::DllExports;

namespace {

// A GDI+ bitmap of the decoded pixels, straight alpha.
CGdipImage MakeBitmap(const DecodedImage& decoded)
{
    CGdipImage image;
    Gdiplus::GpBitmap* bitmap = nullptr;
    image.Record(flat::GdipCreateBitmapFromScan0(decoded.width, decoded.height, 0, PixelFormat32bppARGB, nullptr, &bitmap));
    image.Reset(bitmap);
    if (!image) return image;
    const Gdiplus::GpRect all(0, 0, decoded.width, decoded.height);
    Gdiplus::BitmapData data{};
    if (image.Record(flat::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data)) !=
        Gdiplus::Ok) {
        image.Reset();
        return image;
    }
    for (int y = 0; y < decoded.height; ++y) {
        std::memcpy(static_cast<BYTE*>(data.Scan0) + std::ptrdiff_t(y) * data.Stride,
                    decoded.pixels.data() + std::size_t(y) * std::size_t(decoded.width), std::size_t(decoded.width) * 4);
    }
    flat::GdipBitmapUnlockBits(bitmap, &data);
    return image;
}

bool DrawBitmap(CGdipGraphics& graphics, const CGdipImage& image, const IconRect& to)
{
    UINT width = 0, height = 0;
    flat::GdipGetImageWidth(image.Get(), &width);
    flat::GdipGetImageHeight(image.Get(), &height);
    // Edge pixels are repeated outwards, so that the edges stay as sharp as the inside.
    CGdipImageAttributes attributes;
    attributes.Record(flat::GdipCreateImageAttributes(attributes.Receive()));
    if (!attributes || attributes.Record(flat::GdipSetImageAttributesWrapMode(attributes.Get(), Gdiplus::WrapModeTileFlipXY,
                                                                              0, FALSE)) != Gdiplus::Ok) {
        return false;
    }
    return graphics.Record(flat::GdipDrawImageRectRect(graphics.Get(), image.Get(), to.left, to.top, to.Width(),
                                                       to.Height(), 0, 0, Gdiplus::REAL(width), Gdiplus::REAL(height),
                                                       Gdiplus::UnitPixel, attributes.Get(), nullptr, nullptr)) ==
           Gdiplus::Ok;
}

}  // namespace

void CGdipIconPainter::SetIconPixels(int pixels)
{
    m_nIconPixels = pixels >= 16 && pixels <= 4 * kBoxPixels ? pixels : kBoxPixels;
}

bool CGdipIconPainter::Paint(const IconScene& scene, std::vector<std::uint8_t>& png)
{
    png.clear();
    if (scene.size <= 0 || scene.size > kMaxSide) return false;
    const CGdiPlusSession gdiplus;
    if (!gdiplus) return false;
    const int side = scene.size * kSamples;
    CGdipImage canvas;
    Gdiplus::GpBitmap* bitmap = nullptr;
    canvas.Record(flat::GdipCreateBitmapFromScan0(side, side, 0, PixelFormat32bppPARGB, nullptr, &bitmap));
    canvas.Reset(bitmap);
    if (!canvas) return false;
    {
        CGdipGraphics graphics;
        graphics.Record(flat::GdipGetImageGraphicsContext(canvas.Get(), graphics.Receive()));
        if (!graphics || !DrawShapes(graphics, scene)) return false;
    }
    const Gdiplus::GpRect all(0, 0, side, side);
    Gdiplus::BitmapData data{};
    if (flat::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok) {
        return false;
    }
    std::vector<std::uint32_t> pixels;
    if (data.Stride > 0 && data.Stride % 4 == 0) {
        pixels = CIconPixels::Reduce(static_cast<const std::uint32_t*>(data.Scan0), std::size_t(data.Stride / 4),
                                     scene.size, kSamples, scene.maskCornerRadius);
    }
    flat::GdipBitmapUnlockBits(bitmap, &data);
    if (pixels.empty()) return false;
    png = CPngWriter::Write(pixels.data(), scene.size, scene.size);
    return !png.empty();
}

bool CGdipIconPainter::DrawShapes(CGdipGraphics& graphics, const IconScene& scene)
{
    const Gdiplus::GpStatus settings[] = {
        flat::GdipSetSmoothingMode(graphics.Get(), Gdiplus::SmoothingModeAntiAlias),
        flat::GdipSetPixelOffsetMode(graphics.Get(), Gdiplus::PixelOffsetModeHalf),
        flat::GdipSetCompositingQuality(graphics.Get(), Gdiplus::CompositingQualityHighQuality),
        flat::GdipSetInterpolationMode(graphics.Get(), Gdiplus::InterpolationModeHighQualityBicubic),
        flat::GdipScaleWorldTransform(graphics.Get(), Gdiplus::REAL(kSamples), Gdiplus::REAL(kSamples),
                                      Gdiplus::MatrixOrderPrepend),
    };
    for (const Gdiplus::GpStatus status : settings) {
        if (status != Gdiplus::Ok) return false;
    }
    // Layer bitmaps, decoded as they are first drawn and released after the last layer
    // that shows them; a layer that shows nothing is not drawn.
    std::optional<CSystemImageDecoder> decoder;
    std::vector<CGdipImage> images(scene.bitmaps.size());
    std::vector<std::size_t> lastUse(scene.bitmaps.size());
    for (std::size_t i = 0; i < scene.shapes.size(); ++i) {
        const int b = scene.shapes[i].bitmap;
        if (b >= 0 && std::size_t(b) < lastUse.size()) lastUse[std::size_t(b)] = i;
    }
    CGdipShapeDrawer drawer(graphics, scene, float(kSamples));
    int clip = -1;
    for (std::size_t i = 0; i < scene.shapes.size(); ++i) {
        const IconShape& shape = scene.shapes[i];
        if (shape.bitmap >= 0 && !CPaintWork::Shows(shape, scene.size)) continue;
        if (shape.clip != clip) {
            if (!drawer.SetClip(shape.clip)) return false;
            clip = shape.clip;
        }
        if (shape.bitmap < 0) {
            if (!drawer.Draw(shape)) return false;
            continue;
        }
        if (std::size_t(shape.bitmap) >= images.size()) return false;
        CGdipImage& image = images[std::size_t(shape.bitmap)];
        DecodedImage decoded;
        if (!image) {
            if (!decoder) decoder.emplace();
            if (decoder->Decode(scene.bitmaps[std::size_t(shape.bitmap)].bytes, decoded)) image = MakeBitmap(decoded);
        }
        if (!image || !DrawBitmap(graphics, image, shape.bitmapRect)) return false;
        if (lastUse[std::size_t(shape.bitmap)] == i) image.Reset();
    }
    return true;
}

bool CGdipIconPainter::DecodesWebP()
{
    if (!m_webp) m_webp = CSystemImageDecoder().HasWebPDecoder();
    return *m_webp;
}

bool CGdipIconPainter::ConvertWebP(const std::vector<std::uint8_t>& webp, std::vector<std::uint8_t>& png)
{
    DecodedImage decoded;
    if (!CSystemImageDecoder().Decode(webp, decoded)) return false;
    png = CPngWriter::Write(decoded.pixels.data(), decoded.width, decoded.height);
    return !png.empty();
}
