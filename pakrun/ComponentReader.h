// The components an application declares inside <application> (services, receivers,
// activities, their aliases, providers), kept only as far as they can ask for special
// access: the permission that guards them, the SMS_DELIVER filter, the device-admin
// meta-data. A component switched off with android:enabled="false" counts all the same,
// since the app can switch it on at run time.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "BinaryXml.h"
#include "ManifestReader.h"

enum class ComponentKind { Activity, Service, Receiver, Provider };

// One distinct (kind, permission) a component is guarded by; the value may still be a
// reference into resources.arsc.
struct GuardedComponent {
    ComponentKind kind = ComponentKind::Activity;
    ManifestValue permission;
};

struct DeclaredComponents {
    std::vector<GuardedComponent> guarded;  // in document order, each distinct once
    bool smsDeliver = false;                // an activity or receiver filters SMS_DELIVER
    bool deviceAdminMetaData = false;       // a receiver names android.app.device_admin
};

class CComponentReader {
public:
    // A hostile manifest may declare any number of components; their distinct guards are
    // bounded so that it cannot make the reader keep much.
    static constexpr std::size_t kMaxGuarded = 1024;

    // Called with every element of the document, in order, from the manifest pass.
    void Visit(const CBinaryXml& document, const XmlElement& element);

    DeclaredComponents& Components() { return m_components; }

private:
    bool IsComponent(const CBinaryXml& document, const XmlElement& element, ComponentKind& kind) const;
    void AddGuard(const CBinaryXml& document, const XmlElement& element);
    void VisitInside(const CBinaryXml& document, const XmlElement& element);

    DeclaredComponents m_components;
    std::unordered_set<std::u16string> m_seen;
    bool m_bInApplication = false;
    bool m_bInComponent = false;
    bool m_bInIntentFilter = false;
    ComponentKind m_kind = ComponentKind::Activity;
};
