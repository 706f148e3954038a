#include "ImageDrawing.h"

#include "FitSize.h"

namespace flat = Gdiplus::DllExports;

namespace {

void DrawPiece(CGdipGraphics& graphics, const CGdipImage& image, const Gdiplus::Rect& to, const Gdiplus::Rect& from,
               const CGdipImageAttributes* attributes)
{
    graphics.Record(flat::GdipDrawImageRectRectI(graphics.Get(), image.Get(), to.X, to.Y, to.Width, to.Height, from.X,
                                                 from.Y, from.Width, from.Height, Gdiplus::UnitPixel,
                                                 attributes ? attributes->Get() : nullptr, nullptr, nullptr));
}

// Fills the destination with a texture cut from the image whose origin sits at the
// destination's top-left corner, so the piece shows unscaled, repeated as the wrap mode says.
void FillWithPiece(CGdipGraphics& graphics, const CGdipImage& image, const Gdiplus::Rect& from,
                   const Gdiplus::Rect& to, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTileFlipX)
{
    CGdipTextureBrush brush;
    brush.Record(
        flat::GdipCreateTexture2I(image.Get(), wrap, from.X, from.Y, from.Width, from.Height, brush.Receive()));
    if (!brush) return;
    brush.Record(flat::GdipTranslateTextureTransform(brush.Get(), Gdiplus::REAL(to.X), Gdiplus::REAL(to.Y),
                                                     Gdiplus::MatrixOrderPrepend));
    CGdipRegion region;
    region.Record(flat::GdipCreateRegionRectI(&to, region.Receive()));
    if (!region) return;
    graphics.Record(flat::GdipFillRegion(graphics.Get(), brush.Get(), region.Get()));
}

}  // namespace

void GetImageSize(const CGdipImage& image, UINT& width, UINT& height)
{
    width = height = 0;
    if (!image) return;
    if (flat::GdipGetImageWidth(image.Get(), &width) != Gdiplus::Ok) width = 0;
    if (flat::GdipGetImageHeight(image.Get(), &height) != Gdiplus::Ok) height = 0;
}

void DrawImageFitted(CGdipGraphics& graphics, const Gdiplus::Rect& box, const CGdipImage* image, int dpi)
{
    if (!image || !*image) return;
    UINT imageWidth = 0, imageHeight = 0;
    GetImageSize(*image, imageWidth, imageHeight);
    const auto scaled = [dpi](UINT length) { return INT(((long long)length * dpi + 48) / 96); };
    const INT w = scaled(imageWidth), h = scaled(imageHeight);

    std::int32_t width = w, height = h;
    if (w > box.Width || h > box.Height) {
        width = height = 0;
        FitSize(w, h, box.Width, box.Height, width, height);
    }
    const INT x = box.X + (box.Width - width) / 2;
    const INT y = box.Y + (box.Height - height) / 2;
    graphics.Record(flat::GdipDrawImageRectI(graphics.Get(), image->Get(), x, y, width, height));
}

void DrawFrameSkin(CGdipGraphics& graphics, const CGdipImage& image, const Gdiplus::Rect& d, const Gdiplus::Rect& s,
                   const SkinBorders& borders)
{
    if (!image) return;
    const INT left = borders.left, right = borders.right, top = borders.top, bottom = borders.bottom;
    if (d.Width <= left + right || d.Height <= top + bottom) {
        DrawPiece(graphics, image, d, s, nullptr);
        return;
    }

    using Gdiplus::Rect;
    const INT sMiddleW = s.Width - left - right, dMiddleW = d.Width - left - right;
    const INT sMiddleH = s.Height - top - bottom, dMiddleH = d.Height - top - bottom;
    const INT sRight = s.X + s.Width - right, dRight = d.X + d.Width - right;
    const INT sBottom = s.Y + s.Height - bottom, dBottom = d.Y + d.Height - bottom;

    DrawPiece(graphics, image, Rect(d.X, d.Y, left, top), Rect(s.X, s.Y, left, top), nullptr);
    FillWithPiece(graphics, image, Rect(s.X + left, s.Y, sMiddleW, top), Rect(d.X + left, d.Y, dMiddleW, top));
    DrawPiece(graphics, image, Rect(dRight, d.Y, right, top), Rect(sRight, s.Y, right, top),
              nullptr);
    FillWithPiece(graphics, image, Rect(s.X, s.Y + top, left, sMiddleH), Rect(d.X, d.Y + top, left, dMiddleH),
                  Gdiplus::WrapModeTileFlipY);
    FillWithPiece(graphics, image, Rect(sRight, s.Y + top, right, sMiddleH), Rect(dRight, d.Y + top, right, dMiddleH),
                  Gdiplus::WrapModeTileFlipY);
    DrawPiece(graphics, image, Rect(d.X, dBottom, left, bottom), Rect(s.X, sBottom, left, bottom),
              nullptr);
    FillWithPiece(graphics, image, Rect(s.X + left, sBottom, sMiddleW, bottom),
                  Rect(d.X + left, dBottom, dMiddleW, bottom));
    DrawPiece(graphics, image, Rect(dRight, dBottom, right, bottom),
              Rect(sRight, sBottom, right, bottom), nullptr);
}

void DrawStateSkin(CGdipGraphics& graphics, const CGdipImage& image, UINT frameCount, UINT frameIndex,
                   const Gdiplus::Rect& d)
{
    if (!image || frameCount == 0) return;
    UINT imageWidth = 0, imageHeight = 0;
    GetImageSize(image, imageWidth, imageHeight);
    const UINT frameWidth = imageWidth / frameCount;
    const INT cap = INT(frameWidth / 3);
    const INT frameX = INT(frameIndex * frameWidth);
    const INT h = INT(imageHeight);

    using Gdiplus::Rect;
    FillWithPiece(graphics, image, Rect(frameX, 0, cap, h), Rect(d.X, d.Y, cap, d.Height));
    FillWithPiece(graphics, image, Rect(frameX + 2 * cap, 0, cap, h), Rect(d.X + d.Width - cap, d.Y, cap, d.Height));
    FillWithPiece(graphics, image, Rect(frameX + cap, 0, cap, h), Rect(d.X + cap, d.Y, d.Width - 2 * cap, d.Height));
}

CGdipImage ResampleImage(const CGdipImage& image, UINT width, UINT height)
{
    CGdipImage copy;
    if (!image || width == 0 || height == 0) return copy;
    Gdiplus::GpBitmap* bitmap = nullptr;
    copy.Record(flat::GdipCreateBitmapFromScan0(INT(width), INT(height), 0, PixelFormat32bppPARGB, nullptr, &bitmap));
    copy.Reset(bitmap);
    if (!copy) return copy;
    CGdipGraphics graphics;
    graphics.Record(flat::GdipGetImageGraphicsContext(copy.Get(), graphics.Receive()));
    if (!graphics) {
        copy.Reset();
        return copy;
    }
    flat::GdipSetInterpolationMode(graphics.Get(), Gdiplus::InterpolationModeHighQualityBicubic);
    flat::GdipSetPixelOffsetMode(graphics.Get(), Gdiplus::PixelOffsetModeHalf);
    UINT w = 0, h = 0;
    GetImageSize(image, w, h);
    CGdipImageAttributes attributes;
    attributes.Record(flat::GdipCreateImageAttributes(attributes.Receive()));
    if (attributes) {
        attributes.Record(
            flat::GdipSetImageAttributesWrapMode(attributes.Get(), Gdiplus::WrapModeTileFlipXY, 0xFF000000, FALSE));
    }
    DrawPiece(graphics, image, Gdiplus::Rect(0, 0, INT(width), INT(height)), Gdiplus::Rect(0, 0, INT(w), INT(h)),
              attributes ? &attributes : nullptr);
    return copy;
}
