#include "ApkInstallerThread.h"

#include "InstallJob.h"
#include "LongPath.h"

namespace {

constexpr DWORD kDestructorStopMs = 5000;

}  // namespace

CApkInstallerThread::~CApkInstallerThread()
{
    // A job that ended while this waited has posted its message to a window that may never
    // read it; its copy would stay in the temporary folder.
    Stop(kDestructorStopMs);
    const std::wstring copy = TakeTempApkPath();
    if (!copy.empty()) ::DeleteFileW(ExtendedLengthPath(copy).c_str());
}

std::wstring CApkInstallerThread::TakeTempApkPath()
{
    std::wstring copy;
    copy.swap(m_strTempApkPath);
    return copy;
}

bool CApkInstallerThread::Start(HWND notifyWnd, const std::wstring& apkPath, bool installToSd,
                                const std::wstring& preferredSerial, bool serialRequired)
{
    if (IsRunning()) return false;
    Stop();  // releases a run that ended, e.g. with WM_INSTALL_NO_DEVICE

    m_hNotifyWnd = notifyWnd;
    m_strApkPath = apkPath;
    m_bInstallToSd = installToSd ? TRUE : FALSE;
    m_strTempApkPath.clear();

    auto job = std::make_shared<CInstallJob>(m_hNotifyWnd, m_strApkPath, m_bInstallToSd != FALSE, preferredSerial,
                                              serialRequired);
    if (!job->IsReady()) return false;
    m_pJob = job;
    if (!StartThread([job] { job->Run(); })) {
        m_pJob.reset();
        return false;
    }
    return true;
}

void CApkInstallerThread::OnRunAbandoned()
{
    if (m_pJob) m_pJob->Abandon();
}

void CApkInstallerThread::OnRunReleased(bool joined)
{
    if (m_pJob && joined) {
        if (!m_pJob->Error().empty()) m_strError = m_pJob->Error();  // a success leaves it as it was
        m_strTempApkPath = m_pJob->TempApkPath();
    }
    m_pJob.reset();
}
