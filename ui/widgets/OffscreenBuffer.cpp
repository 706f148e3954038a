#include "OffscreenBuffer.h"

bool COffscreenBuffer::Create(HDC reference, int width, int height)
{
    Destroy();
    CMemoryDC dc(reference);
    CScopedBitmap bitmap(::CreateCompatibleBitmap(reference, width, height));
    if (!dc || !bitmap) return false;
    HGDIOBJ old = ::SelectObject(dc.Get(), bitmap.Get());
    if (!old || old == HGDI_ERROR) return false;
    m_dc = std::move(dc);
    m_bitmap = std::move(bitmap);
    m_hOldBitmap = old;
    return true;
}

void COffscreenBuffer::Destroy()
{
    if (m_dc && m_hOldBitmap) ::SelectObject(m_dc.Get(), m_hOldBitmap);
    m_hOldBitmap = nullptr;
    m_bitmap.Reset();
    m_dc.Reset();
}
