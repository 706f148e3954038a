#include "ShownPermissions.h"

#include <algorithm>

std::vector<ShownPermission> CShownPermissions::Select(const std::vector<std::u16string>& permissions,
                                                       const Translate& translate)
{
    std::vector<ShownPermission> shown;
    for (const std::u16string& name : permissions) {
        ShownPermission permission;
        permission.name = name;
        if (translate(name, permission) && permission.level >= kMinimumLevel) shown.push_back(std::move(permission));
    }
    std::stable_sort(shown.begin(), shown.end(),
                     [](const ShownPermission& a, const ShownPermission& b) { return a.level > b.level; });
    return shown;
}
