// A move-only owner of one COM interface reference.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

template <typename Interface>
class CComRef {
public:
    CComRef() = default;
    ~CComRef() { Reset(); }

    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    CComRef(CComRef&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    CComRef& operator=(CComRef&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }

    Interface* Get() const { return m_p; }
    Interface* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For a call that hands out a new reference: releases the one held first.
    Interface** Receive()
    {
        Reset();
        return &m_p;
    }

    void Reset()
    {
        if (m_p) std::exchange(m_p, nullptr)->Release();
    }

private:
    Interface* m_p = nullptr;
};
