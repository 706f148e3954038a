#include "ComponentAccess.h"

#include <algorithm>
#include <iterator>

namespace {

struct GuardRule {
    ComponentKind kind;
    const char16_t* permission;
    const char16_t* access;
};

constexpr const char16_t* kAccessibility = u"accessibility";
constexpr const char16_t* kDeviceAdmin = u"device-admin";
constexpr const char16_t* kDefaultSms = u"default-sms";
constexpr const char16_t* kSmsWithAccessibility = u"sms-with-accessibility";

const GuardRule kRules[] = {
    {ComponentKind::Service, u"android.permission.BIND_ACCESSIBILITY_SERVICE", kAccessibility},
    {ComponentKind::Receiver, u"android.permission.BIND_DEVICE_ADMIN", kDeviceAdmin},
    {ComponentKind::Service, u"android.permission.BIND_NOTIFICATION_LISTENER_SERVICE", u"notification-listener"},
    {ComponentKind::Service, u"android.permission.BIND_INPUT_METHOD", u"input-method"},
    {ComponentKind::Service, u"android.permission.BIND_AUTOFILL_SERVICE", u"autofill"},
    {ComponentKind::Service, u"android.permission.BIND_VPN_SERVICE", u"vpn"},
    {ComponentKind::Service, u"android.permission.BIND_CARRIER_MESSAGING_SERVICE", u"carrier-messaging"},
    {ComponentKind::Service, u"android.permission.BIND_CONDITION_PROVIDER_SERVICE", u"condition-provider"},
    {ComponentKind::Service, u"android.permission.BIND_QUICK_SETTINGS_TILE", u"quick-settings-tile"},
    {ComponentKind::Service, u"android.permission.BIND_WALLPAPER", u"wallpaper"},
};

bool Has(const std::vector<std::u16string>& names, const std::u16string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool Declares(const std::vector<std::u16string>& guards, const GuardRule& rule)
{
    return Has(guards, std::u16string(1, static_cast<char16_t>(rule.kind)) + rule.permission);
}

}  // namespace

bool CComponentAccess::IsAccessName(const std::u16string& name)
{
    return name.compare(0, std::char_traits<char16_t>::length(kPrefix), kPrefix) == 0;
}

std::vector<std::u16string> CComponentAccess::Collect(const DeclaredComponents& components,
                                                    const std::vector<std::u16string>& permissions,
                                                    const CResourceResolver& resolver)
{
    // Each guard as its kind followed by the permission it finally names.
    std::vector<std::u16string> guards;
    for (const GuardedComponent& guard : components.guarded) {
        std::u16string name;
        if (!resolver.DefaultText(guard.permission.value, guard.permission.text, name)) continue;
        guards.push_back(std::u16string(1, static_cast<char16_t>(guard.kind)) + name);
    }

    std::vector<std::u16string> kinds;
    for (const GuardRule& rule : kRules) {
        if (Declares(guards, rule)) kinds.push_back(rule.access);
    }
    if (components.deviceAdminMetaData && !Has(kinds, kDeviceAdmin)) kinds.push_back(kDeviceAdmin);
    if (components.smsDeliver) kinds.push_back(kDefaultSms);
    const bool readsSms = Has(permissions, u"android.permission.READ_SMS") ||
                          Has(permissions, u"android.permission.RECEIVE_SMS");
    if (readsSms && Has(kinds, kAccessibility)) kinds.insert(kinds.begin(), kSmsWithAccessibility);

    std::vector<std::u16string> names;
    std::transform(kinds.begin(), kinds.end(), std::back_inserter(names),
                   [](const std::u16string& kind) { return kPrefix + kind; });
    return names;
}
