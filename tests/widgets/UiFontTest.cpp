#include <gtest/gtest.h>

#include <string>

#include "UiFont.h"

namespace flat = Gdiplus::DllExports;

namespace {

std::wstring FamilyName(const Gdiplus::GpFontFamily* family)
{
    WCHAR name[LF_FACESIZE] = {};
    flat::GdipGetFamilyName(family, name, LANG_NEUTRAL);
    return name;
}

std::wstring FamilyOf(const CGdipFont& font)
{
    CGdipFontFamily family;
    family.Record(flat::GdipGetFamily(font.Get(), family.Receive()));
    return family ? FamilyName(family.Get()) : L"";
}

std::wstring SansSerifName()
{
    Gdiplus::GpFontFamily* family = nullptr;
    if (flat::GdipGetGenericFontFamilySansSerif(&family) != Gdiplus::Ok) return L"";
    return FamilyName(family);  // the generic family belongs to GDI+
}

void ExpectFont(const CGdipFont& font, Gdiplus::REAL size, INT style, Gdiplus::Unit unit)
{
    ASSERT_TRUE(font);
    EXPECT_EQ(Gdiplus::Ok, font.Status());
    Gdiplus::REAL actualSize = 0;
    flat::GdipGetFontSize(font.Get(), &actualSize);
    EXPECT_FLOAT_EQ(size, actualSize);
    INT actualStyle = -1;
    flat::GdipGetFontStyle(font.Get(), &actualStyle);
    EXPECT_EQ(style, actualStyle);
    Gdiplus::Unit actualUnit = Gdiplus::UnitWorld;
    flat::GdipGetFontUnit(font.Get(), &actualUnit);
    EXPECT_EQ(unit, actualUnit);
}

}  // namespace

TEST(CreateUiFont, InterfaceFaceWhenInstalled)
{
    const CGdipFont font = CreateUiFont(12, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    ExpectFont(font, 12, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    const std::wstring family = FamilyOf(font);
    EXPECT_FALSE(family.empty());
    EXPECT_NE(SansSerifName(), family) << "the interface face is installed in the test prefix";
}

TEST(CreateUiFont, MissingFaceFallsBackToGenericSansSerif)
{
    const std::wstring sansSerif = SansSerifName();
    ASSERT_FALSE(sansSerif.empty());
    for (int round = 0; round < 2; ++round) {  // the second time from the cached family
        const CGdipFont font = CreateFontOrSansSerif(L"ApkInstaller Face That Cannot Exist", 8,
                                                     Gdiplus::FontStyleUnderline, Gdiplus::UnitPoint);
        ExpectFont(font, 8, Gdiplus::FontStyleUnderline, Gdiplus::UnitPoint);
        EXPECT_EQ(sansSerif, FamilyOf(font));
    }
}
