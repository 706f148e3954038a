#include "ImageDrawing.h"

#include "FitSize.h"

namespace flat = Gdiplus::DllExports;

namespace {

// Border widths of the frame skin, the same on the image and on the window.
constexpr INT kSkinLeft = 5;
constexpr INT kSkinRight = 5;
constexpr INT kSkinTop = 26;
constexpr INT kSkinBottom = 5;

void DrawPiece(CGdipGraphics& graphics, const CGdipImage& image, const Gdiplus::Rect& to, const Gdiplus::Rect& from,
               const CGdipImageAttributes* attributes)
{
    graphics.Record(flat::GdipDrawImageRectRectI(graphics.Get(), image.Get(), to.X, to.Y, to.Width, to.Height, from.X,
                                                 from.Y, from.Width, from.Height, Gdiplus::UnitPixel,
                                                 attributes ? attributes->Get() : nullptr, nullptr, nullptr));
}

// An edge piece is stretched; its wrap mode decides how the pixels at its own borders are
// sampled, so that nothing from the neighbouring pieces bleeds in.
void DrawEdge(CGdipGraphics& graphics, const CGdipImage& image, const Gdiplus::Rect& to, const Gdiplus::Rect& from,
              CGdipImageAttributes& attributes, Gdiplus::WrapMode wrap)
{
    attributes.Record(flat::GdipSetImageAttributesWrapMode(attributes.Get(), wrap, 0xFF000000, FALSE));
    DrawPiece(graphics, image, to, from, &attributes);
}

// Fills the destination with a texture cut from the image whose origin sits at the
// destination's top-left corner, so the piece shows unscaled.
void FillWithPiece(CGdipGraphics& graphics, const CGdipImage& image, INT sourceX, INT sourceWidth, INT sourceHeight,
                   const Gdiplus::Rect& to)
{
    CGdipTextureBrush brush;
    brush.Record(flat::GdipCreateTexture2I(image.Get(), Gdiplus::WrapModeTileFlipX, sourceX, 0, sourceWidth,
                                           sourceHeight, brush.Receive()));
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

void DrawImageFitted(CGdipGraphics& graphics, const Gdiplus::Rect& box, const CGdipImage* image)
{
    if (!image || !*image) return;
    UINT imageWidth = 0, imageHeight = 0;
    GetImageSize(*image, imageWidth, imageHeight);
    const INT w = INT(imageWidth), h = INT(imageHeight);

    std::int32_t width = w, height = h;
    if (w > box.Width || h > box.Height) {
        width = height = 0;
        FitSize(w, h, box.Width, box.Height, width, height);
    }
    const INT x = box.X + (box.Width - width) / 2;
    const INT y = box.Y + (box.Height - height) / 2;
    graphics.Record(flat::GdipDrawImageRectI(graphics.Get(), image->Get(), x, y, width, height));
}

void DrawFrameSkin(CGdipGraphics& graphics, const CGdipImage& image, const Gdiplus::Rect& d, const Gdiplus::Rect& s)
{
    if (!image) return;
    if (d.Width <= kSkinLeft + kSkinRight || d.Height <= kSkinTop + kSkinBottom) {
        DrawPiece(graphics, image, d, s, nullptr);
        return;
    }

    CGdipImageAttributes attributes;
    attributes.Record(flat::GdipCreateImageAttributes(attributes.Receive()));

    using Gdiplus::Rect;
    const INT sMiddleW = s.Width - kSkinLeft - kSkinRight, dMiddleW = d.Width - kSkinLeft - kSkinRight;
    const INT sMiddleH = s.Height - kSkinTop - kSkinBottom, dMiddleH = d.Height - kSkinTop - kSkinBottom;
    const INT sRight = s.X + s.Width - kSkinRight, dRight = d.X + d.Width - kSkinRight;
    const INT sBottom = s.Y + s.Height - kSkinBottom, dBottom = d.Y + d.Height - kSkinBottom;

    DrawPiece(graphics, image, Rect(d.X, d.Y, kSkinLeft, kSkinTop), Rect(s.X, s.Y, kSkinLeft, kSkinTop), nullptr);
    DrawEdge(graphics, image, Rect(d.X + kSkinLeft, d.Y, dMiddleW, kSkinTop),
             Rect(s.X + kSkinLeft, s.Y, sMiddleW, kSkinTop), attributes, Gdiplus::WrapModeTileFlipX);
    DrawPiece(graphics, image, Rect(dRight, d.Y, kSkinRight, kSkinTop), Rect(sRight, s.Y, kSkinRight, kSkinTop),
              nullptr);
    DrawEdge(graphics, image, Rect(d.X, d.Y + kSkinTop, kSkinLeft, dMiddleH),
             Rect(s.X, s.Y + kSkinTop, kSkinLeft, sMiddleH), attributes, Gdiplus::WrapModeTileFlipY);
    DrawEdge(graphics, image, Rect(dRight, d.Y + kSkinTop, kSkinRight, dMiddleH),
             Rect(sRight, s.Y + kSkinTop, kSkinRight, sMiddleH), attributes, Gdiplus::WrapModeTileFlipY);
    DrawPiece(graphics, image, Rect(d.X, dBottom, kSkinLeft, kSkinBottom), Rect(s.X, sBottom, kSkinLeft, kSkinBottom),
              nullptr);
    DrawEdge(graphics, image, Rect(d.X + kSkinLeft, dBottom, dMiddleW, kSkinBottom),
             Rect(s.X + kSkinLeft, sBottom, sMiddleW, kSkinBottom), attributes, Gdiplus::WrapModeTileFlipX);
    DrawPiece(graphics, image, Rect(dRight, dBottom, kSkinRight, kSkinBottom),
              Rect(sRight, sBottom, kSkinRight, kSkinBottom), nullptr);
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

    FillWithPiece(graphics, image, frameX, cap, h, Gdiplus::Rect(d.X, d.Y, cap, d.Height));
    FillWithPiece(graphics, image, frameX + 2 * cap, cap, h, Gdiplus::Rect(d.X + d.Width - cap, d.Y, cap, d.Height));
    FillWithPiece(graphics, image, frameX + cap, cap, h, Gdiplus::Rect(d.X + cap, d.Y, d.Width - 2 * cap, d.Height));
}
