#include "PhoneWatch.h"

#include "AdbCommand.h"
#include "AdbRunner.h"
#include "PhoneMessages.h"
#include "PortOwner.h"
#include "ProgramDir.h"
#include "PhoneWatcher.h"

CPhoneWatch::CPhoneWatch(HWND notifyWnd)
    : m_hNotifyWnd(notifyWnd),
      m_interrupt(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_wake(::CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
}

void CPhoneWatch::Run()
{
    for (;;) {
        unsigned round = 0;
        bool paused = false;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            if (m_bEnd) return;
            paused = m_bPaused;
            round = m_nRound;
        }
        if (paused) {
            ::WaitForSingleObject(m_wake.Get(), INFINITE);
            continue;
        }
        PhoneStatus status;
        if (Look(status)) Publish(status, round);
        if (ShouldEnd()) return;
        ::WaitForSingleObject(m_wake.Get(), kPhonePollPeriodMs);
    }
}

bool CPhoneWatch::Look(PhoneStatus& status)
{
    const std::wstring adb = GetAdbPath();
    std::wstring output, failedRunText;
    const bool ran = RunAdbCommand(FormatAdbCommand(kAdbDevicesLong, {adb}), output, kAdbDevicesTimeoutMs,
                                   m_interrupt.Get(), &failedRunText);
    if (::WaitForSingleObject(m_interrupt.Get(), 0) == WAIT_OBJECT_0) return false;
    // adb that ends with -1 still says why, and a server fight is told there too.
    if (!ran && !failedRunText.empty()) status = ReadPhoneStatus(true, failedRunText, true);
    else status = ReadPhoneStatus(ran, output, IsFile(adb));
    if (status.kind == PhoneStatusKind::ServerConflict) status.portHolder = PortHolderName(CurrentAdbServerPort(), adb);
    return true;
}

void CPhoneWatch::Publish(const PhoneStatus& status, unsigned round)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_bEnd || m_bPaused || round != m_nRound || status == m_latest) return;
    m_latest = status;
    ++m_nSequence;
    ::PostMessageW(m_hNotifyWnd, WM_PHONES_CHANGED, WPARAM(m_nSequence), 0);
}

bool CPhoneWatch::ShouldEnd()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_bEnd;
}

void CPhoneWatch::RequestEnd()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_bEnd = true;
    }
    ::SetEvent(m_interrupt.Get());
    ::SetEvent(m_wake.Get());
}

void CPhoneWatch::Pause()
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_bPaused) return;
    m_bPaused = true;
    ++m_nRound;
    ::SetEvent(m_interrupt.Get());
}

void CPhoneWatch::Resume()
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_bPaused || m_bEnd) return;
    m_bPaused = false;
    ::ResetEvent(m_interrupt.Get());
    ::SetEvent(m_wake.Get());
}

PhoneStatus CPhoneWatch::Latest() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_latest;
}
