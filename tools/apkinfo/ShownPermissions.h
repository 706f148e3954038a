// The permissions the window lists: those translated with a level of 70 or more,
// highest level first, equal levels in the package's order.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "PackageFacts.h"

class CShownPermissions {
public:
    static constexpr int kMinimumLevel = 70;

    // translate fills title, description and level; false leaves the permission out.
    using Translate = std::function<bool(const std::u16string& name, ShownPermission& out)>;

    static std::vector<ShownPermission> Select(const std::vector<std::u16string>& permissions,
                                               const Translate& translate);
};
