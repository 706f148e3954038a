// What painting a scene will cost, counted before a pixel is painted, so that a crafted
// icon is refused instead of holding the reader for minutes. The count follows how a
// region-based rasteriser (Wine's GDI+ is one) fills a path: it visits every device row
// from the path's top to its bottom and keeps each row's crossing edges sorted by
// insertion, which costs the square of their number; strokes are widened into outlines
// and filled the same way; every fill also builds its clips again; then it paints the
// pixels of the shape's box. A bitmap layer is decoded once, at the size its header gives,
// counted apart from painting. A curve crosses a row no more often than its control
// polygon, so the polygon's legs stand for the curve's flattened edges.
#pragma once

#include "IconScene.h"

class CPaintWork {
public:
    // Device pixels per picture pixel along each side: the painter paints at this scale
    // and averages the samples down.
    static constexpr int kScale = 4;
    // Units are steps of the rasteriser's inner loop, a few nanoseconds each.
    static constexpr double kPerShape = 20000;       // a path, a brush, a region made and freed
    static constexpr double kPerRow = 20;            // a device row a region spans
    static constexpr double kPerPixel = 12;          // a device pixel painted
    static constexpr double kPerGradientPixel = 40;  // a gradient's pixel computed and set in a texture
    static constexpr double kPerBitmapPixel = 120;  // a device pixel resampled from a bitmap layer
    static constexpr double kPerDecodedPixel = 10;  // a pixel of a bitmap layer decoded, once a bitmap
    // A bitmap whose header gives no size is counted as large as the decoder takes.
    static constexpr double kUnknownBitmapPixels = 4096.0 * 4096.0;
    // A widened stroke's outline crosses a row on both sides of the line.
    static constexpr int kStrokeCopies = 2;
    // A gradient's stops are searched for every pixel it paints (GDI+'s line gradients
    // under Wine, and the radial and sweep pixels computed here).
    static constexpr double kPerStopPixel = 1;
    // The most work one icon may take: about 50 ms under Wine, where a launcher icon of a
    // few paths takes a fiftieth of it.
    static constexpr double kMaxWork = 40e6;
    // The painter samples a layer over at most 108 / 72 of the picture, 70 pixels at 4
    // samples a side: about 420 samples. A picture of more than 2048 x 2048 pixels is
    // far beyond what any icon shows, whatever the display's scale.
    static constexpr double kMaxLayerPixels = 2048.0 * 2048.0;
    // Bytes a decoded pixel takes while it is drawn: the decoder's and the painter's copy.
    static constexpr double kDecodedPixelBytes = 8;

    // The work of painting the scene at scale device pixels per picture pixel (gradient
    // pixels as CGradientLayout::Shown covers them), decoding left out. Infinite for
    // coordinates too far out.
    static double OfScene(const IconScene& scene, float scale);
    // Building the region of a path: every row it spans, plus the square of its edges
    // crossing each row, each edge counted copies times, the path grown by grow picture
    // pixels up and down (half a stroke).
    static double OfRegion(const IconPath& path, float scale, float grow, int copies);
    // The device pixels of the part of box that the picture (side pixels a side) shows.
    static double ShownPixels(const IconRect& box, int side, float scale);

    // Decoding the scene's bitmaps: each once, at its decoded size, and only those that
    // some layer shows.
    static double OfDecoding(const IconScene& scene);
    // The most bytes of decoded pictures held at once while painting, each picture
    // released after the last layer that shows it.
    static std::size_t DecodedPeakBytes(const IconScene& scene);
    // The pixels a bitmap decodes to, as its header gives them; kUnknownBitmapPixels
    // when it does not say.
    static double BitmapPixels(const IconBitmap& bitmap);
    // A stroke whose half width reaches from every pixel of the picture (side pixels a
    // side) to its path covers the whole picture: a wider one is narrowed to that, which
    // paints the same pixels (GDI+ under Wine leaves holes in far wider ones).
    static float ClampedStroke(const IconShape& shape, float side);
    // Path points that narrowing a stroke looks at.
    static constexpr std::size_t kMaxCoverPoints = 1024;
    // Whether the layer shows anything of the picture: a layer that does not is not
    // decoded.
    static bool Shows(const IconShape& shape, int side);
};
