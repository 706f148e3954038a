#include "WindowPainting.h"

#include "ImageDrawing.h"
#include "StringResource.h"
#include "TextDrawing.h"
#include "UiFont.h"
#include "UserObjects.h"
#include "WindowStyle.h"
#include "WindowTexts.h"
#include "resource.h"

namespace flat = Gdiplus::DllExports;

namespace {

// Sizes at 96 dpi.
constexpr Gdiplus::REAL kTextSize = 12.0f;     // pixels
constexpr Gdiplus::REAL kNoteSize = 8.0f;      // points
constexpr int kFactsX = 88;
constexpr int kFactsWidth = 120;
constexpr int kFactsRowHeight = 20;
constexpr BoxRect kSeparatorRect{8, 155, 370, 2};

enum class TextFormat { Left, Centred, TopLeft };

CGdipStringFormat MakeFormat(TextFormat kind)
{
    const INT flags = Gdiplus::StringFormatFlagsLineLimit;
    switch (kind) {
    case TextFormat::Left:
        return CreateStringFormat(flags, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter,
                                  Gdiplus::StringTrimmingEllipsisCharacter);
    case TextFormat::Centred:
        return CreateStringFormat(flags, Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentCenter);
    default: return CreateStringFormat(flags, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentNear);
    }
}

Gdiplus::RectF LayoutOf(const BoxRect& box)
{
    return Gdiplus::RectF(Gdiplus::REAL(box.x), Gdiplus::REAL(box.y), Gdiplus::REAL(box.width),
                          Gdiplus::REAL(box.height));
}

// One line of 12-pixel text (at 96 dpi) in a box of the scale's pixels.
void DrawLine(CGdipGraphics& graphics, const DisplayScale& scale, const std::wstring& text, const BoxRect& box,
              Argb colour, TextFormat kind, INT style = Gdiplus::FontStyleRegular)
{
    const CGdipFont font = CreateUiFont(scale.Size(kTextSize), style, Gdiplus::UnitPixel);
    DrawTextIn(graphics, text, font, LayoutOf(box), colour, MakeFormat(kind));
}

// The note's 8 points are the 96-dpi layout's: the graphics turns points into pixels at
// its own resolution, which need not be the window's.
CGdipFont NoteFont(CGdipGraphics& graphics, const DisplayScale& scale)
{
    Gdiplus::REAL graphicsDpi = 0;
    if (flat::GdipGetDpiY(graphics.Get(), &graphicsDpi) != Gdiplus::Ok || graphicsDpi <= 0) {
        graphicsDpi = Gdiplus::REAL(kBaseDpi);
    }
    const Gdiplus::REAL size =
        scale.dpi == int(graphicsDpi) ? kNoteSize : scale.Size(kNoteSize) * Gdiplus::REAL(kBaseDpi) / graphicsDpi;
    return CreateUiFont(size, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
}

bool HasImage(const CGdipImage* image) { return image && *image; }

const std::wstring& TextOf(const std::wstring* text)
{
    static const std::wstring empty;
    return text ? *text : empty;
}

void FillBackground(CGdipGraphics& graphics, const BoxRect& client)
{
    CGdipSolidBrush brush;
    brush.Record(flat::GdipCreateSolidFill(kWindowBackground, brush.Receive()));
    if (brush) {
        graphics.Record(
            flat::GdipFillRectangleI(graphics.Get(), brush.Get(), client.x, client.y, client.width, client.height));
    }
}

// The program's icon, through a device context borrowed from the graphics. False when the
// module has no such icon.
bool DrawProgramIcon(CGdipGraphics& graphics, HMODULE module, const DisplayScale& scale)
{
    const int size = scale.Px(16), at = scale.Px(5);
    const CScopedIcon icon(static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!icon) return false;
    HDC dc = nullptr;
    if (graphics.Record(flat::GdipGetDC(graphics.Get(), &dc)) != Gdiplus::Ok) return true;
    ::DrawIconEx(dc, at, at, icon.Get(), size, size, 0, nullptr, DI_NORMAL);
    flat::GdipReleaseDC(graphics.Get(), dc);
    return true;
}

void PaintCloseButton(CGdipGraphics& graphics, const CGdipImage& strip, int frame, const BoxRect& client,
                      const DisplayScale& scale)
{
    const BoxRect to = CloseButtonRect(client.width, scale);
    graphics.Record(flat::GdipDrawImageRectRectI(graphics.Get(), strip.Get(), client.x + to.x, client.y + to.y,
                                                 to.width, to.height, 0, to.height * frame, to.width, to.height,
                                                 Gdiplus::UnitPixel, nullptr, nullptr, nullptr));
}

void PaintButtons(CGdipGraphics& graphics, const MainWindowView& view)
{
    if (!HasImage(view.button)) return;
    const int zone = view.offeredButton;
    switch (zone) {
    case ZONE_INSTALL:
        PaintSkinButton(graphics, view.button, view.zones.install,
                        InstallButtonFrame(view.installEnabled, view.hoverZone, view.pressedZone),
                        LoadStringResource(IDS_INSTALL_BUTTON), view.scale);
        break;
    case ZONE_COMPANION:
        // String 503 is empty: a button without a word would not say what it does.
        PaintSkinButton(graphics, view.button, view.zones.companion, ZoneFrame(zone, view.hoverZone, view.pressedZone),
                        LoadStringResource(IDS_COMPANION_LABEL), view.scale);
        break;
    case ZONE_RETRY:
    case ZONE_OPEN:
        PaintSkinButton(graphics, view.button, view.zones.Of(zone), ZoneFrame(zone, view.hoverZone, view.pressedZone),
                        LoadStringResource(zone == ZONE_RETRY ? IDS_RETRY_BUTTON : IDS_OPEN_BUTTON), view.scale);
        break;
    default: break;
    }
}

void PaintVerdictLine(CGdipGraphics& graphics, const MainWindowView& view)
{
    if (view.state != STATE_READY || !view.verdict || view.verdict->empty()) return;
    DrawLine(graphics, view.scale, *view.verdict, view.scale.Box(kVerdictLineRect), view.verdictColour,
             TextFormat::Left);
}

}  // namespace

void SetWindowPaintQuality(CGdipGraphics& graphics)
{
    flat::GdipSetInterpolationMode(graphics.Get(), Gdiplus::InterpolationModeHighQualityBicubic);
    flat::GdipSetSmoothingMode(graphics.Get(), Gdiplus::SmoothingModeHighQuality);
    flat::GdipSetCompositingQuality(graphics.Get(), Gdiplus::CompositingQualityHighQuality);
    flat::GdipSetTextRenderingHint(graphics.Get(), Gdiplus::TextRenderingHintClearTypeGridFit);
}

PaintedLines PaintWindowContent(CGdipGraphics& graphics, const MainWindowView& view, int clientWidth,
                                int clientHeight)
{
    const BoxRect client{0, 0, clientWidth, clientHeight};
    PaintChrome(graphics, view, client);
    const BoxRect icon = view.scale.Box(kIconBox);
    const Gdiplus::Rect box(icon.x, icon.y, icon.width, icon.height);
    // The default icon is drawn for the scale already; the package's is taken at 96 dpi.
    if (HasImage(view.packageIcon)) {
        DrawImageFitted(graphics, box, view.packageIcon, view.scale.dpi);
    } else {
        DrawImageFitted(graphics, box, view.defaultIcon);
    }
    PaintPackageInfo(graphics, view);
    PaintedLines lines;
    lines.status = PaintStatusLine(graphics, view);
    lines.note = PaintNoteLine(graphics, view);
    PaintPhoneLine(graphics, view);
    PaintVerdictLine(graphics, view);
    return lines;
}

void PaintChrome(CGdipGraphics& graphics, const MainWindowView& view, const BoxRect& client)
{
    const DisplayScale& scale = view.scale;
    FillBackground(graphics, client);
    if (HasImage(view.frame)) {
        UINT width = 0, height = 0;
        GetImageSize(*view.frame, width, height);
        const SkinBorders borders{scale.Px(5), scale.Px(26), scale.Px(5), scale.Px(5)};
        DrawFrameSkin(graphics, *view.frame, Gdiplus::Rect(client.x, client.y, client.width, client.height),
                      Gdiplus::Rect(0, 0, INT(width), INT(height)), borders);
    }
    if (HasImage(view.close)) PaintCloseButton(graphics, *view.close, view.closeFrame, client, scale);

    const int titleX = scale.Px(DrawProgramIcon(graphics, view.module, scale) ? 26 : 9);
    DrawLine(graphics, scale, view.title,
             BoxRect{titleX, scale.Px(5), client.x + client.width - scale.Px(110), scale.Px(16)}, kTitleColour,
             TextFormat::Left);

    PaintButtons(graphics, view);
    if (HasImage(view.selector) && HasImage(view.selectorArrows) && view.state == STATE_READY) {
        const UINT label = view.installPosition == 0 ? IDS_LOCATION_PHONE : IDS_LOCATION_SD;
        PaintLocationSelector(graphics, view.selector, view.selectorArrows, view.zones.location,
                              ZoneFrame(ZONE_LOCATION, view.hoverZone, view.pressedZone), LoadStringResource(label),
                              scale);
    }
}

void PaintSkinButton(CGdipGraphics& graphics, const CGdipImage* skin, const BoxRect& rect, int frame,
                     const std::wstring& label, const DisplayScale& scale)
{
    if (!HasImage(skin) || frame < 0) return;
    DrawStateSkin(graphics, *skin, 4, UINT(frame % 4), Gdiplus::Rect(rect.x, rect.y, rect.width, rect.height));
    DrawLine(graphics, scale, label, BoxRect{rect.x, rect.y - scale.Px(1), rect.width, rect.height},
             PushButtonLabelColour(frame), TextFormat::Centred);
}

void PaintLocationSelector(CGdipGraphics& graphics, const CGdipImage* skin, const CGdipImage* arrows,
                           const BoxRect& rect, int frame, const std::wstring& label, const DisplayScale& scale)
{
    if (!HasImage(skin) || !HasImage(arrows) || frame < 0) return;
    DrawStateSkin(graphics, *skin, 3, UINT(frame % 3), Gdiplus::Rect(rect.x, rect.y, rect.width, rect.height));

    UINT arrowsWidth = 0, arrowsHeight = 0;
    GetImageSize(*arrows, arrowsWidth, arrowsHeight);
    const INT aw = INT(arrowsWidth / 3), ah = INT(arrowsHeight);
    const INT x = rect.x + rect.width - aw - scale.Px(5), y = rect.y + (rect.height - ah) / 2 + scale.Px(1);
    graphics.Record(flat::GdipDrawImageRectRectI(graphics.Get(), arrows->Get(), x, y, aw, ah, aw * (frame % 3), 0, aw,
                                                 ah, Gdiplus::UnitPixel, nullptr, nullptr, nullptr));

    DrawLine(graphics, scale, label, BoxRect{rect.x - scale.Px(7), rect.y, rect.width, rect.height},
             SelectorLabelColour(frame), TextFormat::Centred);
}

void PaintPackageInfo(CGdipGraphics& graphics, const MainWindowView& view)
{
    const std::wstring rows[4] = {
        TextOf(view.appName),
        FormatWithText(LoadStringResource(IDS_VERSION_FMT), TextOf(view.version)),
        FormatWithText(LoadStringResource(IDS_SIZE_FMT), TextOf(view.size)),
        FormatWithText(LoadStringResource(IDS_SYSTEM_FMT), TextOf(view.system)),
    };
    const DisplayScale& scale = view.scale;
    for (int i = 0; i < 4; ++i) {
        const BoxRect row{kFactsX, 35 + i * kFactsRowHeight, kFactsWidth, kFactsRowHeight};
        DrawLine(graphics, scale, rows[i], scale.Box(row), kFactsColour, TextFormat::Left);
    }

    const UINT toggle = view.panelOpen ? IDS_HIDE_PERMISSIONS : IDS_SHOW_PERMISSIONS;
    DrawLine(graphics, scale, LoadStringResource(toggle), view.zones.permissionToggle, kToggleColour,
             TextFormat::Left, Gdiplus::FontStyleUnderline);

    if (view.panelOpen && HasImage(view.separator)) {
        UINT width = 0, height = 0;
        GetImageSize(*view.separator, width, height);
        const BoxRect to = scale.Box(kSeparatorRect);
        graphics.Record(flat::GdipDrawImageRectRectI(graphics.Get(), view.separator->Get(), to.x, to.y, to.width,
                                                     to.height, 0, 0, INT(width), to.height, Gdiplus::UnitPixel,
                                                     nullptr, nullptr, nullptr));
    }
}

bool FitsInto(CGdipGraphics& graphics, const std::wstring& text, const BoxRect& box, const DisplayScale& scale)
{
    const CGdipFont font = CreateUiFont(scale.Size(kTextSize), Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    const CGdipStringFormat format = MakeFormat(TextFormat::Left);
    if (!font || !format) return true;
    const Gdiplus::RectF layout = LayoutOf(scale.Box(box));
    Gdiplus::RectF bounds;
    INT fitted = 0, lines = 0;
    return flat::GdipMeasureString(graphics.Get(), text.c_str(), INT(text.size()), font.Get(), &layout, format.Get(),
                                   &bounds, &fitted, &lines) != Gdiplus::Ok ||
           fitted >= INT(text.size());
}

BoxRect PaintStatusLine(CGdipGraphics& graphics, const MainWindowView& view)
{
    TextLine line = StatusLineStyle(view.state);
    const std::wstring& text = TextOf(view.status);
    if (view.state == STATE_FAILED && !FitsInto(graphics, text, line.rect, view.scale)) line = LongFailureStyle();
    const BoxRect box = view.scale.Box(line.rect);
    DrawLine(graphics, view.scale, text, box, line.colour, TextFormat::Left);
    return box;
}

BoxRect PaintNoteLine(CGdipGraphics& graphics, const MainWindowView& view)
{
    const TextLine line = NoteLineStyle(view.state);
    const BoxRect box = view.scale.Box(line.rect);
    DrawTextIn(graphics, TextOf(view.note), NoteFont(graphics, view.scale), LayoutOf(box), line.colour,
               MakeFormat(TextFormat::TopLeft));
    return box;
}

void PaintPhoneLine(CGdipGraphics& graphics, const MainWindowView& view)
{
    if (view.phoneLine.empty()) return;
    const DisplayScale& scale = view.scale;
    if (!view.phoneName.empty() && HasImage(view.selector) && HasImage(view.selectorArrows)) {
        DrawLine(graphics, scale, view.phoneLine, scale.Box(kPhoneLabelRect), kPhoneReadyColour, TextFormat::Left);
        PaintLocationSelector(graphics, view.selector, view.selectorArrows, view.zones.phone,
                              ZoneFrame(ZONE_PHONE, view.hoverZone, view.pressedZone), view.phoneName, scale);
        return;
    }
    const Argb colour = view.phoneTrouble ? kPhoneTroubleColour : kPhoneReadyColour;
    const BoxRect box = scale.Box(kPhoneLineRect);
    if (FitsInto(graphics, view.phoneLine, kPhoneLineRect, scale)) {
        DrawLine(graphics, scale, view.phoneLine, box, colour, TextFormat::Left);
        return;
    }
    // Advice too long for two lines of the usual size keeps every word in the smaller one.
    DrawTextIn(graphics, view.phoneLine, NoteFont(graphics, scale), LayoutOf(box), colour,
               MakeFormat(TextFormat::Left));
}
