// Pictures decoded by the system's imaging component (WIC): every format it has a codec
// for, WebP among them where Windows has the WebP codec (Windows 11, and Windows 10 with
// the WebP image extension). Wine has none for WebP.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <vector>

#include "ComApartment.h"
#include "ComRef.h"

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // straight 0xAARRGGBB, rows top-down
};

class CSystemImageDecoder {
public:
    // Larger pictures are refused: no icon comes near, and their pixels would take
    // hundreds of megabytes.
    static constexpr UINT kMaxSide = 4096;

    // Joins COM on this thread for the decoder's life.
    CSystemImageDecoder();
    CSystemImageDecoder(const CSystemImageDecoder&) = delete;
    CSystemImageDecoder& operator=(const CSystemImageDecoder&) = delete;

    bool HasWebPDecoder() const;
    // The first frame of the picture; false when no codec takes it or it is damaged.
    bool Decode(const std::vector<std::uint8_t>& bytes, DecodedImage& out) const;

private:
    CComApartment m_com;
    CComRef<IWICImagingFactory> m_factory;
};
