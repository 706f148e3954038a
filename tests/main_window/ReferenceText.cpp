#include "ReferenceText.h"

#include <algorithm>

#include "MainWindowHarness.h"
#include "OffscreenBuffer.h"
#include "TextDrawing.h"
#include "UiFont.h"
#include "WindowPainting.h"

namespace flat = Gdiplus::DllExports;

namespace {

CGdipStringFormat FormatFor(TextLayout layout)
{
    const INT flags = Gdiplus::StringFormatFlagsLineLimit;
    switch (layout) {
    case TextLayout::Left:
        return CreateStringFormat(flags, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter,
                                  Gdiplus::StringTrimmingEllipsisCharacter);
    case TextLayout::Centred:
        return CreateStringFormat(flags, Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentCenter);
    case TextLayout::Row:
        return CreateStringFormat(flags | Gdiplus::StringFormatFlagsNoWrap, Gdiplus::StringAlignmentNear,
                                  Gdiplus::StringAlignmentCenter);
    default: return CreateStringFormat(flags, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentNear);
    }
}

Gdiplus::ARGB ArgbOf(COLORREF colour)
{
    return 0xFF000000u | (Gdiplus::ARGB(GetRValue(colour)) << 16) | (Gdiplus::ARGB(GetGValue(colour)) << 8) |
           GetBValue(colour);
}

// Only inside the frame skin's borders: a text's rectangle may reach under them. Rows of
// the permission list lie inside the list, below the window's own texts.
BoxRect InsideFrame(const CPixelCanvas& window, const BoxRect& rect)
{
    const int left = std::max(rect.x, 5), top = std::max(rect.y, 26);
    const int right = std::min(rect.x + rect.width, window.Width() - 5);
    const int bottom = std::min(rect.y + rect.height, window.Height() - 5);
    return BoxRect{left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

// Pixels that differ anywhere in the texts' rectangles, each pixel counted once.
int CountMismatches(const CPixelCanvas& window, const CPixelCanvas& reference, const std::vector<ShownText>& texts)
{
    int count = 0;
    for (int y = 0; y < window.Height(); ++y) {
        for (int x = 0; x < window.Width(); ++x) {
            const bool inside = std::any_of(texts.begin(), texts.end(), [&](const ShownText& shown) {
                return InsideFrame(window, shown.look.rect).Contains(x, y);
            });
            count += inside && window.Pixel(x, y) != reference.Pixel(x, y);
        }
    }
    return count;
}

}  // namespace

void SaveRender(const CPixelCanvas& canvas, const std::wstring& name)
{
    const std::wstring dir = APKI_RENDERS_DIR;
    ::CreateDirectoryW(dir.c_str(), nullptr);
    SaveCanvasPng(canvas, 2, dir + L"\\" + name);
}

std::unique_ptr<CPixelCanvas> RenderTexts(SIZE client, const std::vector<ShownText>& texts, COLORREF background)
{
    // Drawn as the window draws: into a bitmap compatible with the screen, then copied.
    HDC screen = ::GetDC(nullptr);
    COffscreenBuffer buffer;
    buffer.Create(screen, client.cx, client.cy);
    ::ReleaseDC(nullptr, screen);
    CScopedBrush fill(::CreateSolidBrush(background));
    const RECT all{0, 0, client.cx, client.cy};
    ::FillRect(buffer.DC(), &all, fill.Get());
    {
        CGdipGraphics graphics;
        graphics.Record(flat::GdipCreateFromHDC(buffer.DC(), graphics.Receive()));
        SetWindowPaintQuality(graphics);
        for (const ShownText& shown : texts) {
            const TextLook& look = shown.look;
            const CGdipFont font = CreateUiFont(look.size, look.style, look.unit);
            const Gdiplus::RectF layout(Gdiplus::REAL(look.rect.x), Gdiplus::REAL(look.rect.y),
                                        Gdiplus::REAL(look.drawWidth > 0 ? look.drawWidth : look.rect.width),
                                        Gdiplus::REAL(look.rect.height));
            DrawTextIn(graphics, shown.text, font, layout, ArgbOf(look.colour), FormatFor(look.layout));
        }
    }
    auto canvas = std::make_unique<CPixelCanvas>(client.cx, client.cy, background);
    ::BitBlt(canvas->DC(), 0, 0, client.cx, client.cy, buffer.DC(), 0, 0, SRCCOPY);
    return canvas;
}

bool TextMatches(const CPixelCanvas& window, const std::vector<ShownText>& texts, COLORREF background)
{
    const auto reference = RenderTexts(SIZE{window.Width(), window.Height()}, texts, background);
    return CountMismatches(window, *reference, texts) == 0;
}

::testing::AssertionResult ShowsText(const CPixelCanvas& window, const std::vector<ShownText>& texts,
                                     COLORREF background)
{
    const auto reference = RenderTexts(SIZE{window.Width(), window.Height()}, texts, background);
    const int different = CountMismatches(window, *reference, texts);
    if (different == 0) return ::testing::AssertionSuccess();
    static int failures = 0;
    const std::wstring stem = L"text-mismatch-" + std::to_wstring(++failures);
    SaveRender(window, stem + L"-window.png");
    SaveRender(*reference, stem + L"-expected.png");
    return ::testing::AssertionFailure() << different << " pixels differ from the expected text; see build/renders/"
                                         << std::string(stem.begin(), stem.end());
}
