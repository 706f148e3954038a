#include "InheritedHandleList.h"

CInheritedHandleList::CInheritedHandleList(HANDLE handle) : m_handle(handle)
{
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);  // asks for the size only
    if (size == 0) return;
    m_storage.resize(size);
    if (!::InitializeProcThreadAttributeList(List(), 1, 0, &size)) return;
    m_initialised = true;
    m_ready = ::UpdateProcThreadAttribute(List(), 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &m_handle, sizeof(m_handle),
                                          nullptr, nullptr) != FALSE;
}

CInheritedHandleList::~CInheritedHandleList()
{
    if (m_initialised) ::DeleteProcThreadAttributeList(List());
}
