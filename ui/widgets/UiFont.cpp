#include "UiFont.h"

namespace flat = Gdiplus::DllExports;

namespace {

// "微软雅黑", spelled out so the source's encoding cannot matter.
constexpr wchar_t kUiFace[] = L"\x5FAE\x8F6F\x96C5\x9ED1";

// GDI+ keeps the generic families for the whole session, as its own C++ classes assume:
// the family is asked for once, on the window thread that draws, and never deleted.
Gdiplus::GpFontFamily* g_pSansSerifFamily = nullptr;

Gdiplus::GpFontFamily* SansSerifFamily()
{
    if (!g_pSansSerifFamily) {
        Gdiplus::GpFontFamily* family = nullptr;
        if (flat::GdipGetGenericFontFamilySansSerif(&family) == Gdiplus::Ok) g_pSansSerifFamily = family;
    }
    return g_pSansSerifFamily;
}

void CreateFontFrom(CGdipFont& font, const Gdiplus::GpFontFamily* family, Gdiplus::REAL size, INT style,
                    Gdiplus::Unit unit)
{
    font.Record(flat::GdipCreateFont(family, size, style, unit, font.Receive()));
}

}  // namespace

CGdipFont CreateFontOrSansSerif(const wchar_t* face, Gdiplus::REAL size, INT style, Gdiplus::Unit unit)
{
    CGdipFontFamily named;
    named.Record(flat::GdipCreateFontFamilyFromName(face, nullptr, named.Receive()));

    CGdipFont font;
    const Gdiplus::GpFontFamily* family = named ? named.Get() : SansSerifFamily();
    if (!family) {
        font.Record(Gdiplus::FontFamilyNotFound);
        return font;
    }
    CreateFontFrom(font, family, size, style, unit);
    if (!font && named) {
        const Gdiplus::GpFontFamily* fallback = SansSerifFamily();
        if (fallback) CreateFontFrom(font, fallback, size, style, unit);
    }
    return font;  // the font holds its own reference to the family
}

CGdipFont CreateUiFont(Gdiplus::REAL size, INT style, Gdiplus::Unit unit)
{
    return CreateFontOrSansSerif(kUiFace, size, style, unit);
}
