#include "PhoneWatcher.h"

#include "PhoneWatch.h"

CPhoneWatcher::~CPhoneWatcher() { Finish(); }

bool CPhoneWatcher::Start(HWND notifyWnd)
{
    if (IsRunning()) return false;
    Stop();
    auto watch = std::make_shared<CPhoneWatch>(notifyWnd);
    if (!watch->IsReady()) return false;
    m_pWatch = watch;
    if (!StartThread([watch] { watch->Run(); })) {
        m_pWatch.reset();
        return false;
    }
    return true;
}

void CPhoneWatcher::Finish()
{
    if (m_pWatch) m_pWatch->RequestEnd();
    Stop(kPhoneWatchStopMs);
    m_pWatch.reset();
}

void CPhoneWatcher::Pause()
{
    if (m_pWatch) m_pWatch->Pause();
}

void CPhoneWatcher::Resume()
{
    if (m_pWatch) m_pWatch->Resume();
}

PhoneStatus CPhoneWatcher::Latest() const { return m_pWatch ? m_pWatch->Latest() : PhoneStatus(); }

void CPhoneWatcher::OnRunAbandoned()
{
    if (m_pWatch) m_pWatch->RequestEnd();
}
