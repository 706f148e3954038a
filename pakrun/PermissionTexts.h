// The permission texts of one language from our language file: for each permission a
// title, a description and a group; for each group a title and a level (70 or more:
// costs money, exposes private data or takes control of the phone).
//
//   <permission-texts>
//     <language code="CHS">
//       <group id="sms" level="100" title="短信"/>
//       <permission name="android.permission.SEND_SMS" group="sms">
//         <title>发送短信</title>
//         <description>...</description>
//       </permission>
//     </language>
//   </permission-texts>
//
// A permission of the same power as another may take that one's title and description
// instead of its own: <permission name="..." group="..." text-of="android.permission.X"/>.
#pragma once

#include <map>
#include <string>
#include <string_view>

struct PermissionText {
    std::u16string title;
    std::u16string description;
    std::u16string group;  // the group's id
};

struct PermissionGroup {
    std::u16string title;
    int level = 0;
};

class CPermissionTexts {
public:
    // Replaces what was loaded by the texts of languageCode in the document. False (and
    // empty) when the document is malformed or has no such language.
    bool Load(std::string_view document, const std::u16string& languageCode);

    bool Empty() const { return m_permissions.empty(); }

    const PermissionText* Find(const std::u16string& permission) const;
    const PermissionGroup* FindGroup(const std::u16string& groupId) const;

private:
    std::map<std::u16string, PermissionText> m_permissions;
    std::map<std::u16string, PermissionGroup> m_groups;
};
