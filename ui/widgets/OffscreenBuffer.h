// A memory device context with a bitmap of its own selected into it.
#pragma once

#include "GdiObjects.h"

class COffscreenBuffer {
public:
    COffscreenBuffer() = default;
    ~COffscreenBuffer() { Destroy(); }
    COffscreenBuffer(const COffscreenBuffer&) = delete;
    COffscreenBuffer& operator=(const COffscreenBuffer&) = delete;

    // A buffer compatible with the reference context; on failure nothing is left over.
    bool Create(HDC reference, int width, int height);

    // Selects the context's first bitmap back, then deletes the bitmap and the context.
    void Destroy();

    bool IsValid() const { return bool(m_dc); }
    HDC DC() const { return m_dc.Get(); }

private:
    CMemoryDC m_dc;
    CScopedBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
};
