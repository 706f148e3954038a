#include "InstallErrorTableStore.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <system_error>

#include "StringResource.h"

namespace {

// Made during static initialisation, before the program's entry function runs, so that
// the first build can never race with the lock's own creation.
class CTableLock {
public:
    CTableLock()
    {
        if (!::InitializeCriticalSectionAndSpinCount(&m_section, 0)) {
            throw std::system_error(int(::GetLastError()), std::system_category(), "install error table lock");
        }
    }
    ~CTableLock() { ::DeleteCriticalSection(&m_section); }
    CTableLock(const CTableLock&) = delete;
    CTableLock& operator=(const CTableLock&) = delete;

    // Held for one scope; left also when building the table runs out of memory.
    class CHold {
    public:
        explicit CHold(CTableLock& lock) : m_lock(lock) { ::EnterCriticalSection(&m_lock.m_section); }
        ~CHold() { ::LeaveCriticalSection(&m_lock.m_section); }
        CHold(const CHold&) = delete;
        CHold& operator=(const CHold&) = delete;

    private:
        CTableLock& m_lock;
    };

private:
    CRITICAL_SECTION m_section;
};

CTableLock g_tableLock;
std::unique_ptr<const InstallErrorTable> g_tableOwner;  // freed at exit
std::atomic<const InstallErrorTable*> g_table{nullptr};

}  // namespace

const InstallErrorTable& GetInstallErrorTable()
{
    if (const InstallErrorTable* table = g_table.load(std::memory_order_acquire)) return *table;

    CTableLock::CHold hold(g_tableLock);
    if (!g_table.load(std::memory_order_relaxed)) {
        g_tableOwner = std::make_unique<const InstallErrorTable>(
            BuildCompleteInstallErrorTable([](unsigned id) { return LoadStringResource(id); }));
        g_table.store(g_tableOwner.get(), std::memory_order_release);
    }
    return *g_tableOwner;
}
