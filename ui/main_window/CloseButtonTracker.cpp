#include "CloseButtonTracker.h"

bool CCloseButtonTracker::NcMove(int hitCode, bool buttonDown)
{
    const int before = Frame();
    if (!buttonDown) m_nNcPressedHit = kNone;
    m_nNcHoverHit = hitCode == kHitClose ? kHitClose : kNone;
    return Frame() != before;
}

bool CCloseButtonTracker::NcPress(int hitCode, bool& lookChanged)
{
    const int before = Frame();
    m_nNcPressedHit = hitCode == kHitClose ? kHitClose : kNone;
    if (hitCode == kHitClose) m_nNcHoverHit = kHitClose;
    lookChanged = Frame() != before;
    return hitCode == kHitClose;
}

bool CCloseButtonTracker::NcRelease(int hitCode)
{
    const bool click = m_nNcHoverHit != kNone && m_nNcHoverHit == m_nNcPressedHit && hitCode == kHitClose;
    m_nNcPressedHit = kNone;
    m_nNcHoverHit = kNone;
    return click;
}

bool CCloseButtonTracker::PointerAway()
{
    const int before = Frame();
    m_nNcHoverHit = kNone;
    return Frame() != before;
}

bool CCloseButtonTracker::ClientButton()
{
    const int before = Frame();
    m_nNcPressedHit = kNone;
    return Frame() != before;
}

int CCloseButtonTracker::Frame() const
{
    if (m_nNcPressedHit == kHitClose && m_nNcHoverHit == kHitClose) return 2;
    if (m_nNcPressedHit == kNone && m_nNcHoverHit == kHitClose) return 1;
    return 0;
}
