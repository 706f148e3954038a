#include "ReadBudget.h"

CReadBudget::Limits CReadBudget::Default()
{
    Limits limits{};
    limits.work[int(ReadPhase::Directory)] = 40e6;
    limits.work[int(ReadPhase::Manifest)] = 40e6;
    limits.work[int(ReadPhase::Resources)] = 40e6;
    limits.work[int(ReadPhase::Icon)] = 40e6;
    limits.work[int(ReadPhase::Decoding)] = 40e6;
    limits.work[int(ReadPhase::Drawing)] = 40e6;
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
