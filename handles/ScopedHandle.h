// Move-only owners of kernel handles. Two kinds, because the API is not uniform about
// what "no handle" is: most calls give null, file-style calls INVALID_HANDLE_VALUE.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class CScopedHandle {
public:
    CScopedHandle() = default;
    explicit CScopedHandle(HANDLE handle) : m_h(handle) {}
    ~CScopedHandle() { Reset(); }

    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;
    CScopedHandle(CScopedHandle&& other) noexcept : m_h(other.Release()) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    HANDLE Get() const { return m_h; }
    bool IsValid() const { return m_h != Traits::Invalid(); }
    explicit operator bool() const { return IsValid(); }

    HANDLE Release() { return std::exchange(m_h, Traits::Invalid()); }

    // Closes the handle held now and takes the given one.
    void Reset(HANDLE handle = Traits::Invalid())
    {
        if (IsValid()) ::CloseHandle(m_h);
        m_h = handle;
    }

    // Closes the handle and reports the close's own result (false when none was held).
    bool Close()
    {
        if (!IsValid()) return false;
        return ::CloseHandle(Release()) != FALSE;
    }

private:
    HANDLE m_h = Traits::Invalid();
};

struct NullHandleTraits {
    static HANDLE Invalid() { return nullptr; }
};

struct FileHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
};

using CScopedKernelHandle = CScopedHandle<NullHandleTraits>;  // processes, threads, events, mutexes
using CScopedFileHandle = CScopedHandle<FileHandleTraits>;    // files and pipes from CreateFile/CreateNamedPipe
