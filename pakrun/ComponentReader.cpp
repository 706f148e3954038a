#include "ComponentReader.h"

namespace {

constexpr std::uint32_t kPermissionAttr = 0x01010006;
// No permission we look for is longer; longer texts are not kept.
constexpr std::size_t kMaxPermissionChars = 128;

// What tells two guards apart: the kind, then the reference or the text.
std::u16string GuardKey(const GuardedComponent& guard)
{
    std::u16string key(1, static_cast<char16_t>(u'0' + static_cast<int>(guard.kind)));
    if (guard.permission.value.IsReference()) {
        key += u'@';
        key += static_cast<char16_t>(guard.permission.value.data >> 16);
        key += static_cast<char16_t>(guard.permission.value.data & 0xFFFF);
    } else {
        key += u'=';
        key += guard.permission.text;
    }
    return key;
}

bool NameIs(const CBinaryXml& document, const XmlElement& element, const char16_t* expected)
{
    const XmlAttribute* name = document.Find(element, AndroidAttr::kName, "name");
    std::u16string text;
    return name && document.Text(*name, text) && text == expected;
}

}  // namespace

void CComponentReader::Visit(const CBinaryXml& document, const XmlElement& element)
{
    if (element.depth <= 2) {
        m_bInApplication = element.depth == 2 && document.NameIs(element.name, "application");
        m_bInComponent = false;
        return;
    }
    if (!m_bInApplication) return;
    if (element.depth == 3) {
        m_bInComponent = IsComponent(document, element, m_kind);
        m_bInIntentFilter = false;
        if (m_bInComponent) AddGuard(document, element);
        return;
    }
    if (m_bInComponent) VisitInside(document, element);
}

bool CComponentReader::IsComponent(const CBinaryXml& document, const XmlElement& element, ComponentKind& kind) const
{
    if (document.NameIs(element.name, "activity") || document.NameIs(element.name, "activity-alias")) {
        kind = ComponentKind::Activity;
    } else if (document.NameIs(element.name, "service")) {
        kind = ComponentKind::Service;
    } else if (document.NameIs(element.name, "receiver")) {
        kind = ComponentKind::Receiver;
    } else if (document.NameIs(element.name, "provider")) {
        kind = ComponentKind::Provider;
    } else {
        return false;
    }
    return true;
}

void CComponentReader::AddGuard(const CBinaryXml& document, const XmlElement& element)
{
    GuardedComponent guard;
    guard.kind = m_kind;
    CManifestReader::ReadValue(document, element, kPermissionAttr, "permission", guard.permission);
    if (!guard.permission.present || guard.permission.text.size() > kMaxPermissionChars) return;
    if (!guard.permission.value.IsReference() && guard.permission.text.empty()) return;
    if (m_components.guarded.size() >= kMaxGuarded || !m_seen.insert(GuardKey(guard)).second) return;
    m_components.guarded.push_back(std::move(guard));
}

void CComponentReader::VisitInside(const CBinaryXml& document, const XmlElement& element)
{
    if (element.depth == 4) {
        m_bInIntentFilter = document.NameIs(element.name, "intent-filter");
        if (m_kind == ComponentKind::Receiver && document.NameIs(element.name, "meta-data") &&
            NameIs(document, element, u"android.app.device_admin")) {
            m_components.deviceAdminMetaData = true;
        }
        return;
    }
    if (element.depth == 5 && m_bInIntentFilter && document.NameIs(element.name, "action") &&
        (m_kind == ComponentKind::Activity || m_kind == ComponentKind::Receiver) &&
        NameIs(document, element, u"android.provider.Telephony.SMS_DELIVER")) {
        m_components.smsDeliver = true;
    }
}
