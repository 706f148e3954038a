// One budget for reading one package: the work each phase may do, in units that track
// time (about a nanosecond of a native read each), and a ceiling for the memory the read
// holds at once. A phase that would pass its share stops there and the read goes on
// with what it has; the first phase stopped is recorded as the cut. A read from any byte
// source takes a budget, so that a package read from inside another is held to the one
// budget of the whole read.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ReadPhase : std::uint8_t {
    Directory,  // the central directory and the names' index
    Manifest,   // the manifest inflated and parsed
    Resources,  // the resource table loaded and the texts looked up
    Icon,       // the icon chosen: files read, documents and look-ups
    Decoding,   // bitmap layers decoded
    Drawing,    // the drawn icon painted
};

class CReadBudget {
public:
    static constexpr int kPhases = 6;

    struct Limits {
        double work[kPhases];
        std::size_t memory;  // bytes held at once
    };

    // Set so that every real package reads in full, and a crafted one ends within about
    // a tenth of a second natively.
    static Limits Default();

    CReadBudget() : CReadBudget(Default()) {}
    explicit CReadBudget(const Limits& limits) : m_limits(limits) {}

    // The phase that plain spending and holding count against.
    void Enter(ReadPhase phase) { m_current = phase; }
    ReadPhase Current() const { return m_current; }

    // Spends units of the phase's share. False, with nothing spent and the phase
    // recorded as cut, when they would pass it.
    bool Spend(ReadPhase phase, double units);
    bool Spend(double units) { return Spend(m_current, units); }
    // Whether units more would still fit the phase's share, spending nothing.
    bool Affords(ReadPhase phase, double units) const;

    // Holds bytes against the ceiling; false, with nothing held and the current phase
    // recorded as cut, when they would pass it.
    bool Hold(std::size_t bytes);
    void Release(std::size_t bytes);
    // Whether bytes more would fit under the ceiling, holding nothing.
    bool Fits(std::size_t bytes) const;

    // Records the phase as cut without spending: a phase that stops for a bound of its own.
    void MarkCut(ReadPhase phase);

    double Spent(ReadPhase phase) const { return m_spent[int(phase)]; }
    double Limit(ReadPhase phase) const { return m_limits.work[int(phase)]; }
    std::size_t Held() const { return m_nHeld; }
    std::size_t PeakHeld() const { return m_nPeakHeld; }
    std::size_t Ceiling() const { return m_limits.memory; }

    bool WasCut() const { return m_bCut; }
    ReadPhase CutPhase() const { return m_cutPhase; }
    // "directory", "manifest", "resources", "icon", "decoding", "drawing".
    static const char* Name(ReadPhase phase);

private:
    Limits m_limits;
    double m_spent[kPhases] = {};
    std::size_t m_nHeld = 0;
    std::size_t m_nPeakHeld = 0;
    ReadPhase m_current = ReadPhase::Directory;
    bool m_bCut = false;
    ReadPhase m_cutPhase = ReadPhase::Directory;
};

// Bytes held for as long as the holder lives; nothing is held when the budget refuses.
class CBudgetHold {
public:
    CBudgetHold(CReadBudget* budget, std::size_t bytes)
        : m_pBudget(budget), m_nBytes(budget && budget->Hold(bytes) ? bytes : 0), m_bHeld(!budget || m_nBytes == bytes)
    {
    }
    ~CBudgetHold() { Release(); }
    CBudgetHold(const CBudgetHold&) = delete;
    CBudgetHold& operator=(const CBudgetHold&) = delete;

    // False when the budget refused the bytes.
    bool Held() const { return m_bHeld; }
    // The bytes are gone before the holder.
    void Release()
    {
        if (m_pBudget) m_pBudget->Release(m_nBytes);
        m_nBytes = 0;
    }

private:
    CReadBudget* m_pBudget;
    std::size_t m_nBytes;
    bool m_bHeld;
};
