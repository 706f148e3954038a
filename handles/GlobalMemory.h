// Owners of global memory blocks and of their locks.
#pragma once

#include <windows.h>

#include <utility>

// A block from GlobalAlloc, freed with GlobalFree unless given away (to a stream that
// frees it on its release, for instance).
class CGlobalMemory {
public:
    CGlobalMemory() = default;
    CGlobalMemory(UINT flags, SIZE_T bytes) : m_h(::GlobalAlloc(flags, bytes)) {}
    ~CGlobalMemory()
    {
        if (m_h) ::GlobalFree(m_h);
    }

    CGlobalMemory(const CGlobalMemory&) = delete;
    CGlobalMemory& operator=(const CGlobalMemory&) = delete;
    CGlobalMemory(CGlobalMemory&& other) noexcept : m_h(other.Release()) {}
    CGlobalMemory& operator=(CGlobalMemory&& other) noexcept
    {
        if (this != &other) {
            if (m_h) ::GlobalFree(m_h);
            m_h = other.Release();
        }
        return *this;
    }

    HGLOBAL Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    HGLOBAL Release() { return std::exchange(m_h, nullptr); }

private:
    HGLOBAL m_h = nullptr;
};

// Keeps a global block locked for one scope.
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL block) : m_h(block), m_p(block ? ::GlobalLock(block) : nullptr) {}
    ~CGlobalLock()
    {
        if (m_p) ::GlobalUnlock(m_h);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    void* Get() const { return m_p; }

private:
    HGLOBAL m_h;
    void* m_p;
};
