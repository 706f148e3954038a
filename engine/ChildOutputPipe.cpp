#include "ChildOutputPipe.h"

#include <atomic>
#include <cwchar>

namespace {

std::wstring UniquePipeName()
{
    static std::atomic<unsigned long> counter{0};
    wchar_t name[96];
    std::swprintf(name, sizeof(name) / sizeof(name[0]), L"\\\\.\\pipe\\ApkInstaller.adb.%lu.%lu.%lu",
                  ::GetCurrentProcessId(), ::GetCurrentThreadId(), ++counter);
    return name;
}

}  // namespace

CChildOutputPipe::~CChildOutputPipe()
{
    if (m_pending) {
        // The buffer must outlive the read: cancel it and wait until the system lets go.
        ::CancelIoEx(m_readEnd.Get(), &m_overlapped);
        DWORD ignored = 0;
        ::GetOverlappedResult(m_readEnd.Get(), &m_overlapped, &ignored, TRUE);
    }
}

bool CChildOutputPipe::Create()
{
    const std::wstring name = UniquePipeName();
    m_readEnd.Reset(::CreateNamedPipeW(name.c_str(),
                                       PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                       PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                                       1, 0, 0, 0, nullptr));
    if (!m_readEnd) return false;

    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    m_writeEnd.Reset(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inherit, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_writeEnd) return false;

    m_readDone.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_overlapped.hEvent = m_readDone.Get();
    return bool(m_readDone);
}

bool CChildOutputPipe::BeginReading()
{
    m_open = StartRead();
    return m_open;
}

bool CChildOutputPipe::StartRead()
{
    ::ResetEvent(m_readDone.Get());
    if (::ReadFile(m_readEnd.Get(), m_buffer, sizeof(m_buffer), nullptr, &m_overlapped) ||
        ::GetLastError() == ERROR_IO_PENDING) {
        m_pending = true;  // finished or not, the result arrives through the overlapped record
        return true;
    }
    return false;  // ERROR_BROKEN_PIPE: every writer has closed its end
}

bool CChildOutputPipe::FinishRead(std::string& raw, bool wait)
{
    DWORD got = 0;
    const BOOL ok = ::GetOverlappedResult(m_readEnd.Get(), &m_overlapped, &got, wait ? TRUE : FALSE);
    if (!ok && ::GetLastError() == ERROR_IO_INCOMPLETE) return true;
    m_pending = false;
    raw.append(m_buffer, got);
    return ok != FALSE;
}

void CChildOutputPipe::TakeCompletedRead(std::string& raw)
{
    if (!m_pending) return;
    m_open = FinishRead(raw, true) && StartRead();
}

void CChildOutputPipe::DrainBuffered(std::string& raw)
{
    while (m_open && m_pending) {
        FinishRead(raw, false);
        if (!m_pending) {
            m_open = StartRead();
            continue;
        }
        DWORD available = 0;
        if (!::PeekNamedPipe(m_readEnd.Get(), nullptr, 0, nullptr, &available, nullptr) || available == 0) {
            // Nothing left: give the read up. It may still have finished with data first.
            ::CancelIoEx(m_readEnd.Get(), &m_overlapped);
            const std::size_t before = raw.size();
            FinishRead(raw, true);
            m_open = raw.size() > before && StartRead();
        }
        else {
            ::WaitForSingleObject(m_readDone.Get(), INFINITE);
        }
    }
}
