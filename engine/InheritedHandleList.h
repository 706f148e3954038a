// The start-up attribute that limits what a child process inherits to one named handle.
//
// With handle inheritance on, CreateProcess hands a child every inheritable handle of the
// calling process, and adb passes them on to the server it starts, which lives on. A
// script that captures our output would then wait for the end of its pipe as long as that
// server runs. Naming the handle keeps everything else of ours out of the child.
#pragma once

#include <windows.h>

#include <vector>

class CInheritedHandleList {
public:
    // handle must be inheritable and outlive the process creation.
    explicit CInheritedHandleList(HANDLE handle);
    ~CInheritedHandleList();
    CInheritedHandleList(const CInheritedHandleList&) = delete;
    CInheritedHandleList& operator=(const CInheritedHandleList&) = delete;

    // For STARTUPINFOEXW::lpAttributeList; null when the list could not be made.
    LPPROC_THREAD_ATTRIBUTE_LIST Get() const { return m_ready ? List() : nullptr; }

private:
    LPPROC_THREAD_ATTRIBUTE_LIST List() const
    {
        return reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(const_cast<char*>(m_storage.data()));
    }

    HANDLE m_handle;  // the list points at this member, so it stays put
    std::vector<char> m_storage;
    bool m_initialised = false;
    bool m_ready = false;
};
