// The shell's handle of one file drop (WM_DROPFILES), finished with DragFinish.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <utility>

class CDropHandle {
public:
    explicit CDropHandle(HDROP drop) : m_h(drop) {}
    ~CDropHandle()
    {
        if (m_h) ::DragFinish(m_h);
    }
    CDropHandle(const CDropHandle&) = delete;
    CDropHandle& operator=(const CDropHandle&) = delete;
    CDropHandle(CDropHandle&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CDropHandle& operator=(CDropHandle&&) = delete;

    HDROP Get() const { return m_h; }

private:
    HDROP m_h;
};
