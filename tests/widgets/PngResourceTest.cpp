#include <gtest/gtest.h>

#include "ImageDrawing.h"
#include "PngResource.h"
#include "resource.h"

TEST(PngResource, EveryImageLoadsAtItsSizeAsRgba)
{
    const struct {
        UINT id;
        UINT width, height;
    } images[] = {
        {IDB_FRAME_SKIN, 40, 40},       {IDB_CLOSE_BUTTON, 21, 80}, {IDB_PUSH_BUTTON, 72, 24},
        {IDB_SELECTOR, 54, 22},         {IDB_SELECTOR_ARROWS, 36, 13}, {IDB_DEFAULT_APP_ICON, 55, 56},
        {IDB_SEPARATOR, 355, 2},        {IDB_WARNING, 16, 14},
    };
    for (const auto& expected : images) {
        const CGdipImage image = LoadPngResource(::GetModuleHandleW(nullptr), expected.id);
        ASSERT_TRUE(image) << expected.id;
        EXPECT_EQ(Gdiplus::Ok, image.Status());
        UINT width = 0, height = 0;
        GetImageSize(image, width, height);
        EXPECT_EQ(expected.width, width) << expected.id;
        EXPECT_EQ(expected.height, height) << expected.id;
        Gdiplus::PixelFormat format = 0;
        Gdiplus::DllExports::GdipGetImagePixelFormat(image.Get(), &format);
        EXPECT_EQ(PixelFormat32bppARGB, format) << expected.id;
    }
}

TEST(PngResource, ImageOutlivesTheLoaderAndMoves)
{
    CGdipImage first = LoadPngResource(::GetModuleHandleW(nullptr), IDB_WARNING);
    CGdipImage second = std::move(first);
    EXPECT_FALSE(first);
    Gdiplus::ARGB pixel = 0;
    // The decoded image still reads its stream's bytes after the loader has returned.
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::DllExports::GdipBitmapGetPixel(
                               static_cast<Gdiplus::GpBitmap*>(second.Get()), 8, 10, &pixel));
    EXPECT_EQ(0xFFu, pixel >> 24) << "the middle of the warning sign is opaque";
}

TEST(ProgramIcon, HoldsTheUsualSizes)
{
    for (int size : {16, 24, 32, 48, 256}) {
        HICON icon = static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON, size, size, 0));
        ASSERT_NE(nullptr, icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP bitmap{};
        ::GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(size, bitmap.bmWidth);
        EXPECT_EQ(size, bitmap.bmHeight);
        EXPECT_EQ(32, bitmap.bmBitsPixel) << size;
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
}
