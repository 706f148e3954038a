#include "ReadBudget.h"

#include "PaintWork.h"

CReadBudget::Limits CReadBudget::Default()
{
    Limits limits{};
    // 150,000 records; the largest real packages hold a few tens of thousands.
    limits.work[int(ReadPhase::Directory)] = 60e6;
    // The manifest's own cap inflated, 16 MB; real manifests stay under 1 MB.
    limits.work[int(ReadPhase::Manifest)] = 85e6;
    // A deflated table of 12 MB, or 60,000 configurations visited by look-ups: the
    // platform's own resources take a tenth of it.
    limits.work[int(ReadPhase::Resources)] = 60e6;
    // 8 MB of icon files inflated, or 40,000 configurations visited.
    limits.work[int(ReadPhase::Icon)] = 40e6;
    // Four million pixels decoded (CPaintWork::kPerDecodedPixel).
    limits.work[int(ReadPhase::Decoding)] = 40e6;
    // Painting, counted as CPaintWork counts it: about 50 ms under Wine.
    limits.work[int(ReadPhase::Drawing)] = CPaintWork::kMaxWork;
    limits.memory = 48u * 1024 * 1024;
    return limits;
}

bool CReadBudget::Affords(ReadPhase phase, double units) const
{
    // NaN, which a crafted count can be, fits nothing.
    return units <= m_limits.work[int(phase)] - m_spent[int(phase)];
}

bool CReadBudget::Spend(ReadPhase phase, double units)
{
    if (!(units > 0)) {
        if (units == 0) return true;
        MarkCut(phase);
        return false;
    }
    if (!Affords(phase, units)) {
        MarkCut(phase);
        return false;
    }
    m_spent[int(phase)] += units;
    return true;
}

bool CReadBudget::Fits(std::size_t bytes) const
{
    return bytes <= m_limits.memory && m_nHeld <= m_limits.memory - bytes;
}

bool CReadBudget::Hold(std::size_t bytes)
{
    if (!Fits(bytes)) {
        MarkCut(m_current);
        return false;
    }
    m_nHeld += bytes;
    if (m_nHeld > m_nPeakHeld) m_nPeakHeld = m_nHeld;
    return true;
}

void CReadBudget::Release(std::size_t bytes)
{
    m_nHeld = bytes < m_nHeld ? m_nHeld - bytes : 0;
}

void CReadBudget::MarkCut(ReadPhase phase)
{
    if (m_bCut) return;
    m_bCut = true;
    m_cutPhase = phase;
}

const char* CReadBudget::Name(ReadPhase phase)
{
    switch (phase) {
    case ReadPhase::Directory: return "directory";
    case ReadPhase::Manifest: return "manifest";
    case ReadPhase::Resources: return "resources";
    case ReadPhase::Icon: return "icon";
    case ReadPhase::Decoding: return "decoding";
    case ReadPhase::Drawing: return "drawing";
    }
    return "unknown";
}
