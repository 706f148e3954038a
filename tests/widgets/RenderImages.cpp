// Renders every embedded image four times enlarged, and the window's chrome made from them,
// into PNG files for a person to look at:
//     widgets_render_images <output directory>
// scripts/render-images runs it under Wine. Returns non-zero when a picture is missing or
// cannot be written.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AnimationGif.h"
#include "ByteSizeText.h"
#include "ImageDrawing.h"
#include "PixelCanvas.h"
#include "PngResource.h"
#include "UiFont.h"
#include "WindowRegion.h"
#include "resource.h"

namespace flat = Gdiplus::DllExports;

namespace {

constexpr COLORREF kWindowColour = RGB(0xEE, 0xF4, 0xF6);
constexpr COLORREF kBandColour = RGB(0x2F, 0x96, 0xD8);
constexpr COLORREF kDesktop = RGB(0x46, 0x52, 0x5A);

std::wstring g_outputDir;
int g_failures = 0;

void Fail(const wchar_t* what)
{
    std::fwprintf(stderr, L"render-images: %ls\n", what);
    ++g_failures;
}

void SavePng(const CPixelCanvas& canvas, int scale, const wchar_t* name)
{
    if (!SaveCanvasPng(canvas, scale, g_outputDir + L"\\" + name)) Fail(name);
}

void FillRect(CPixelCanvas& canvas, int x, int y, int w, int h, COLORREF colour)
{
    CScopedBrush brush(::CreateSolidBrush(colour));
    const RECT area = {x, y, x + w, y + h};
    ::FillRect(canvas.DC(), &area, brush.Get());
}

void Checkerboard(CPixelCanvas& canvas, int x0, int y0, int w, int h)
{
    for (int y = 0; y < h; y += 2) {
        for (int x = 0; x < w; x += 2) {
            FillRect(canvas, x0 + x, y0 + y, 2, 2, ((x + y) / 2) % 2 ? RGB(0xCC, 0xCC, 0xCC) : RGB(0xFF, 0xFF, 0xFF));
        }
    }
}

CGdipImage LoadEmbedded(UINT id)
{
    CGdipImage image = LoadPngResource(::GetModuleHandleW(nullptr), id);
    if (!image) Fail(L"an image is missing");
    return image;
}

// The image unscaled on the colour it is drawn on, and beside it on a checkerboard.
void RenderImageSheet(UINT id, COLORREF background, const wchar_t* name)
{
    const CGdipImage image = LoadEmbedded(id);
    UINT w = 0, h = 0;
    GetImageSize(image, w, h);
    const int width = int(w), height = int(h), gap = 4;
    CPixelCanvas canvas(2 * width + gap, height, RGB(0xFF, 0xFF, 0xFF));
    FillRect(canvas, 0, 0, width, height, background);
    Checkerboard(canvas, width + gap, 0, width, height);
    canvas.DrawWithGdiPlus([&](CGdipGraphics& g) {
        g.Record(flat::GdipDrawImageRectI(g.Get(), image.Get(), 0, 0, width, height));
        g.Record(flat::GdipDrawImageRectI(g.Get(), image.Get(), width + gap, 0, width, height));
    });
    SavePng(canvas, 4, name);
}

// The frames as the animation thread builds them up, each on the window's colour.
void RenderBusyFrames()
{
    CAnimationGif busy(nullptr, RECT{0, 0, 16, 16});
    if (!busy.LoadFromResource() || busy.FrameCount() == 0) {
        Fail(L"the busy indicator does not load");
        return;
    }
    const int count = int(busy.FrameCount());
    CPixelCanvas buffer(16, 16, busy.KeyColour());
    CPixelCanvas sheet(count * 20 - 4, 16, RGB(0xFF, 0xFF, 0xFF));
    for (int i = 0; i < count; ++i) {
        const GifFrame& frame = busy.Frame(std::size_t(i));
        OLE_XSIZE_HIMETRIC hmWidth = 0;
        OLE_YSIZE_HIMETRIC hmHeight = 0;
        frame.picture->get_Width(&hmWidth);
        frame.picture->get_Height(&hmHeight);
        frame.picture->Render(buffer.DC(), frame.left, frame.top, frame.width, frame.height, 0, hmHeight, hmWidth,
                              -hmHeight, nullptr);
        FillRect(sheet, i * 20, 0, 16, 16, kWindowColour);
        ::TransparentBlt(sheet.DC(), i * 20, 0, 16, 16, buffer.DC(), 0, 0, 16, 16, busy.KeyColour());
    }
    SavePng(sheet, 4, L"busy@4x.png");
}

void RenderProgramIcon()
{
    const int sizes[] = {16, 24, 32, 48};
    CPixelCanvas canvas(16 + 24 + 32 + 48 + 3 * 4, 2 * 48 + 4, kWindowColour);
    FillRect(canvas, 0, 52, canvas.Width(), 48, kBandColour);
    int x = 0;
    for (int size : sizes) {
        HICON icon = static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON, size, size, 0));
        if (!icon) {
            Fail(L"the program icon is missing");
            return;
        }
        ::DrawIconEx(canvas.DC(), x, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        ::DrawIconEx(canvas.DC(), x, 52, icon, size, size, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(icon);
        x += size + 4;
    }
    SavePng(canvas, 4, L"program-icon@4x.png");
}

// --- the window, roughly as the main window paints it ----------------------------------

enum class Look { Ready, Hover, Installing, PanelOpen };

struct Images {
    CGdipImage frame = LoadEmbedded(IDB_FRAME_SKIN);
    CGdipImage close = LoadEmbedded(IDB_CLOSE_BUTTON);
    CGdipImage button = LoadEmbedded(IDB_PUSH_BUTTON);
    CGdipImage selector = LoadEmbedded(IDB_SELECTOR);
    CGdipImage arrows = LoadEmbedded(IDB_SELECTOR_ARROWS);
    CGdipImage defaultIcon = LoadEmbedded(IDB_DEFAULT_APP_ICON);
    CGdipImage separator = LoadEmbedded(IDB_SEPARATOR);
    CGdipImage warning = LoadEmbedded(IDB_WARNING);
};

void Text(CGdipGraphics& g, const std::wstring& text, Gdiplus::RectF box, Gdiplus::ARGB colour,
          Gdiplus::StringAlignment align = Gdiplus::StringAlignmentNear, INT style = Gdiplus::FontStyleRegular)
{
    const CGdipFont font = CreateUiFont(12, style, Gdiplus::UnitPixel);
    CGdipStringFormat format;
    format.Record(flat::GdipCreateStringFormat(Gdiplus::StringFormatFlagsLineLimit, LANG_NEUTRAL, format.Receive()));
    flat::GdipSetStringFormatAlign(format.Get(), align);
    flat::GdipSetStringFormatLineAlign(format.Get(), Gdiplus::StringAlignmentCenter);
    CGdipSolidBrush brush;
    brush.Record(flat::GdipCreateSolidFill(colour, brush.Receive()));
    g.Record(flat::GdipDrawString(g.Get(), text.c_str(), INT(text.size()), font.Get(), &box, format.Get(),
                                  brush.Get()));
}

void DrawFrameOf(CGdipGraphics& g, const CGdipImage& strip, int frameWidth, int frameHeight, int index, int x, int y,
                 bool vertical)
{
    const int sx = vertical ? 0 : frameWidth * index, sy = vertical ? frameHeight * index : 0;
    g.Record(flat::GdipDrawImageRectRectI(g.Get(), strip.Get(), x, y, frameWidth, frameHeight, sx, sy, frameWidth,
                                          frameHeight, Gdiplus::UnitPixel, nullptr, nullptr, nullptr));
}

void PaintWindow(CPixelCanvas& canvas, const Images& images, Look look)
{
    const int w = 386, h = look == Look::PanelOpen ? 347 : 160;
    const bool hover = look == Look::Hover, installing = look == Look::Installing;
    FillRect(canvas, 0, 0, w, h, kWindowColour);
    canvas.DrawWithGdiPlus([&](CGdipGraphics& g) {
        flat::GdipSetTextRenderingHint(g.Get(), Gdiplus::TextRenderingHintClearTypeGridFit);
        DrawFrameSkin(g, images.frame, Gdiplus::Rect(0, 0, w, h), Gdiplus::Rect(0, 0, 40, 40));
        DrawFrameOf(g, images.close, 21, 20, hover ? 1 : 0, w - 26, 4, true);
        Text(g, L"APK\x5B89\x88C5\x5668", Gdiplus::RectF(26, 5, Gdiplus::REAL(w - 110), 16), 0xFFFFFFFF);
        DrawImageFitted(g, Gdiplus::Rect(9, 35, 70, 70), &images.defaultIcon);
        const wchar_t* facts[] = {L"\x8D34\x7EB8\x65E5\x5386", L"\x7248\x672C\xFF1A" L"2.3.1",
                                  L"\x5927\x5C0F\xFF1A", L"\x7CFB\x7EDF\xFF1A" L"Android 4.0"};
        for (int row = 0; row < 4; ++row) {
            std::wstring text = facts[row];
            if (row == 2) text += FormatByteSize(5767168);
            Text(g, text, Gdiplus::RectF(88, Gdiplus::REAL(35 + 20 * row), 120, 20), 0xFF000000);
        }
        const bool open = look == Look::PanelOpen;
        Text(g, open ? L"\x9690\x85CF\x6743\x9650" : L"\x663E\x793A\x6743\x9650", Gdiplus::RectF(14, 135, 65, 17),
             0xFF0080C9, Gdiplus::StringAlignmentNear, Gdiplus::FontStyleUnderline);
        const int buttonFrame = installing ? 3 : hover ? 1 : 0;
        DrawStateSkin(g, images.button, 4, UINT(buttonFrame), Gdiplus::Rect(308, 128, 67, 22));
        Text(g, L"\x5B89\x88C5", Gdiplus::RectF(308, 127, 67, 22), installing ? 0xFFF3F7F9 : 0xFFFFFFFF,
             Gdiplus::StringAlignmentCenter);
        if (installing) {
            Text(g, L"\x5B89\x88C5\x4E2D...", Gdiplus::RectF(240, 64, 145, 40), 0xFF3E555B);
        } else {
            Text(g, L"\x5B89\x88C5\x4F4D\x7F6E:", Gdiplus::RectF(240, 64, 70, 40), 0xFF3E555B);
            const int selectorFrame = hover ? 1 : 0;
            DrawStateSkin(g, images.selector, 3, UINT(selectorFrame), Gdiplus::Rect(317, 72, 56, 21));
            DrawFrameOf(g, images.arrows, 12, 13, selectorFrame, 356, 77, false);
            Text(g, L"\x624B\x673A", Gdiplus::RectF(310, 72, 56, 21), hover ? 0xFF3EADD6 : 0xFF000000,
                 Gdiplus::StringAlignmentCenter);
        }
        if (open) {
            g.Record(flat::GdipDrawImageRectRectI(g.Get(), images.separator.Get(), 8, 155, 370, 2, 0, 0, 355, 2,
                                                  Gdiplus::UnitPixel, nullptr, nullptr, nullptr));
            const wchar_t* rows[] = {L"\x8BFB\x53D6\x8054\x7CFB\x4EBA", L"\x53D1\x9001\x77ED\x4FE1",
                                     L"\x83B7\x53D6\x7CBE\x786E\x4F4D\x7F6E"};
            for (int row = 0; row < 3; ++row) {
                const int y = 172 + 22 * row;
                g.Record(flat::GdipDrawImageRectI(g.Get(), images.warning.Get(), 14, y + 4, 16, 14));
                Text(g, rows[row], Gdiplus::RectF(36, Gdiplus::REAL(y), 300, 22), 0xFF3E555B);
            }
        }
    });
    HICON icon = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON, 16, 16, 0));
    if (icon) {
        ::DrawIconEx(canvas.DC(), 5, 5, icon, 16, 16, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(icon);
    }
    if (installing) {
        CAnimationGif busy(nullptr, RECT{220, 75, 236, 91});
        if (busy.LoadFromResource()) {
            busy.StartAnimation();
            ::Sleep(150);
            busy.StopAnimation();
            busy.Draw(canvas.DC());
        }
    }
    // What the window's region cuts away shows the desktop.
    const CScopedRegion region = CreateRoundedRegion(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!::PtInRegion(region.Get(), x, y)) FillRect(canvas, x, y, 1, 1, kDesktop);
        }
    }
}

void RenderWindow(const Images& images, Look look, const wchar_t* name)
{
    const int h = look == Look::PanelOpen ? 347 : 160;
    CPixelCanvas canvas(386 + 8, h + 8, kDesktop);
    CPixelCanvas window(386, h, kWindowColour);
    PaintWindow(window, images, look);
    ::BitBlt(canvas.DC(), 4, 4, 386, h, window.DC(), 0, 0, SRCCOPY);
    SavePng(canvas, 2, name);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: widgets_render_images <output directory>\n");
        return 2;
    }
    g_outputDir = argv[1];
    ::CreateDirectoryW(g_outputDir.c_str(), nullptr);

    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
    {
        RenderImageSheet(IDB_FRAME_SKIN, kWindowColour, L"frame-skin@4x.png");
        RenderImageSheet(IDB_CLOSE_BUTTON, kBandColour, L"close-button@4x.png");
        RenderImageSheet(IDB_PUSH_BUTTON, kWindowColour, L"push-button@4x.png");
        RenderImageSheet(IDB_SELECTOR, kWindowColour, L"selector@4x.png");
        RenderImageSheet(IDB_SELECTOR_ARROWS, kWindowColour, L"selector-arrows@4x.png");
        RenderImageSheet(IDB_DEFAULT_APP_ICON, kWindowColour, L"default-app-icon@4x.png");
        RenderImageSheet(IDB_SEPARATOR, RGB(0xFF, 0xFF, 0xFF), L"separator@4x.png");
        RenderImageSheet(IDB_WARNING, RGB(0xFF, 0xFF, 0xFF), L"warning@4x.png");
        RenderBusyFrames();
        RenderProgramIcon();
        const Images images;
        RenderWindow(images, Look::Ready, L"window-ready@2x.png");
        RenderWindow(images, Look::Hover, L"window-hover@2x.png");
        RenderWindow(images, Look::Installing, L"window-installing@2x.png");
        RenderWindow(images, Look::PanelOpen, L"window-panel@2x.png");
    }
    Gdiplus::GdiplusShutdown(token);
    return g_failures == 0 ? 0 : 1;
}
