// Special access an app declares for itself rather than asks for: services the system
// binds with a permission only it holds (accessibility, notification listener, VPN,
// keyboard, autofill, ...), device-admin receivers, the filter that lets it become the
// default SMS app. Each becomes a name of our own making, "special-access:<kind>", that
// travels with the permission names and is translated like them. The prefix holds a
// character no Java package name has, so no Android permission can take its place, and
// the manifest reader drops any uses-permission that copies it.
#pragma once

#include <string>
#include <vector>

#include "ComponentReader.h"
#include "ResourceResolver.h"

class CComponentAccess {
public:
    static constexpr const char16_t* kPrefix = u"special-access:";

    static bool IsAccessName(const std::u16string& name);

    // The access names the components declare, each once, in a fixed order; guard
    // permissions given by reference are resolved through the resources. Reading SMS
    // while holding an accessibility service adds one name of its own for the pair.
    static std::vector<std::u16string> Collect(const DeclaredComponents& components,
                                               const std::vector<std::u16string>& permissions,
                                               const CResourceResolver& resolver);
};
