// CApkInstallerWnd, continued: the phone line of the ready window. The watcher posts
// WM_PHONES_CHANGED; the window takes its latest status, keeps the user's choice among
// several ready phones while that phone stays ready, and draws the line (WindowPainting).
#include "ApkInstallerWnd.h"

#include "PhoneChoice.h"
#include "StringResource.h"
#include "resource.h"

LRESULT CApkInstallerWnd::OnPhonesChanged()
{
    const std::wstring before = m_strPhoneSerial;
    m_phoneStatus = m_phoneWatcher.Latest();
    m_strPhoneSerial = KeepPhoneChoice(m_phoneStatus.ready, m_strPhoneSerial);
    UpdatePhoneZone();
    InvalidatePhoneLine();
    if (m_strPhoneSerial != before) AskVerdict();  // another phone, or none
    return 0;
}

void CApkInstallerWnd::ChooseNextPhone()
{
    const std::wstring before = m_strPhoneSerial;
    m_strPhoneSerial = NextPhoneChoice(m_phoneStatus.ready, m_strPhoneSerial);
    InvalidatePhoneLine();
    if (m_strPhoneSerial != before) AskVerdict();
}

bool CApkInstallerWnd::PhoneLineShown() const { return m_nState != STATE_INSTALLING && !m_bOutcomeShown; }

void CApkInstallerWnd::UpdatePhoneZone()
{
    const bool choosable = PhoneLineShown() && m_phoneStatus.kind == PhoneStatusKind::Ready &&
                           m_phoneStatus.ready.size() > 1;
    m_zones.phone = choosable ? m_scale.Box(kPhoneChoiceRect) : BoxRect{};
}

void CApkInstallerWnd::InvalidatePhoneLine() { InvalidateBox(m_scale.Box(kPhoneLineRect), true); }

void CApkInstallerWnd::FillPhoneView(MainWindowView& view) const
{
    if (!PhoneLineShown()) return;
    const PhoneLine line = PhoneStatusLine(m_phoneStatus, m_strPhoneSerial);
    if (line.textId == 0) return;
    const std::wstring text = LoadStringResource(line.textId);
    view.phoneTrouble = m_phoneStatus.kind != PhoneStatusKind::Ready;
    if (m_zones.phone.width > 0) {
        view.phoneLine = FormatPhoneLine(text, std::wstring());
        view.phoneName = line.argument;
    } else {
        view.phoneLine = FormatPhoneLine(text, line.argument);
    }
}
