// Move-only owners of GDI+ objects, one type per kind. Each keeps the native object and
// the status of the last call made on it: a failed call only leaves its status behind,
// and drawing with an empty owner draws nothing.
#pragma once

#include "GdiPlusFlat.h"

#include <utility>

template <typename Traits>
class CGdipObject {
public:
    using Native = typename Traits::Native;

    CGdipObject() = default;
    explicit CGdipObject(Native* native, Gdiplus::GpStatus status = Gdiplus::Ok) : m_p(native), m_status(status) {}
    ~CGdipObject() { Reset(); }

    CGdipObject(const CGdipObject&) = delete;
    CGdipObject& operator=(const CGdipObject&) = delete;
    CGdipObject(CGdipObject&& other) noexcept : m_p(other.Release()), m_status(other.m_status) {}
    CGdipObject& operator=(CGdipObject&& other) noexcept
    {
        if (this != &other) {
            Reset(other.Release());
            m_status = other.m_status;
        }
        return *this;
    }

    Native* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // The status of the last call recorded, Ok for a fresh owner.
    Gdiplus::GpStatus Status() const { return m_status; }
    Gdiplus::GpStatus Record(Gdiplus::GpStatus status)
    {
        m_status = status;
        return status;
    }

    // For a creating call, as in owner.Record(GdipCreateXxx(..., owner.Receive())): frees
    // the object held and gives the address that receives the new one.
    Native** Receive()
    {
        Reset();
        return &m_p;
    }

    Native* Release() { return std::exchange(m_p, nullptr); }

    void Reset(Native* native = nullptr)
    {
        if (m_p && m_p != native) Traits::Delete(m_p);
        m_p = native;
    }

private:
    Native* m_p = nullptr;
    Gdiplus::GpStatus m_status = Gdiplus::Ok;
};

#define APKI_GDIP_TRAITS(name, type, deleter)                                              \
    struct name {                                                                          \
        using Native = Gdiplus::type;                                                      \
        static void Delete(Native* native) { Gdiplus::DllExports::deleter(native); }       \
    }

APKI_GDIP_TRAITS(GdipImageTraits, GpImage, GdipDisposeImage);
APKI_GDIP_TRAITS(GdipGraphicsTraits, GpGraphics, GdipDeleteGraphics);
APKI_GDIP_TRAITS(GdipSolidBrushTraits, GpSolidFill, GdipDeleteBrush);
APKI_GDIP_TRAITS(GdipTextureBrushTraits, GpTexture, GdipDeleteBrush);
APKI_GDIP_TRAITS(GdipFontTraits, GpFont, GdipDeleteFont);
APKI_GDIP_TRAITS(GdipFontFamilyTraits, GpFontFamily, GdipDeleteFontFamily);
APKI_GDIP_TRAITS(GdipStringFormatTraits, GpStringFormat, GdipDeleteStringFormat);
APKI_GDIP_TRAITS(GdipRegionTraits, GpRegion, GdipDeleteRegion);
APKI_GDIP_TRAITS(GdipImageAttributesTraits, GpImageAttributes, GdipDisposeImageAttributes);
APKI_GDIP_TRAITS(GdipPathTraits, GpPath, GdipDeletePath);
APKI_GDIP_TRAITS(GdipPenTraits, GpPen, GdipDeletePen);
APKI_GDIP_TRAITS(GdipBrushTraits, GpBrush, GdipDeleteBrush);

#undef APKI_GDIP_TRAITS

using CGdipImage = CGdipObject<GdipImageTraits>;
using CGdipGraphics = CGdipObject<GdipGraphicsTraits>;
using CGdipSolidBrush = CGdipObject<GdipSolidBrushTraits>;
using CGdipTextureBrush = CGdipObject<GdipTextureBrushTraits>;
using CGdipFont = CGdipObject<GdipFontTraits>;
using CGdipFontFamily = CGdipObject<GdipFontFamilyTraits>;
using CGdipStringFormat = CGdipObject<GdipStringFormatTraits>;
using CGdipRegion = CGdipObject<GdipRegionTraits>;
using CGdipImageAttributes = CGdipObject<GdipImageAttributesTraits>;
using CGdipPath = CGdipObject<GdipPathTraits>;
using CGdipPen = CGdipObject<GdipPenTraits>;
using CGdipBrush = CGdipObject<GdipBrushTraits>;  // any kind of brush
