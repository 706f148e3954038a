#include "PermissionTexts.h"


#include "TextUtf.h"
#include "XmlTextReader.h"

namespace {

bool ParseLevel(const std::string& text, int& level)
{
    if (text.empty() || text.size() > 6) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    level = value;
    return true;
}

std::u16string ChildText(const XmlNode& node, const char* name)
{
    const XmlNode* child = node.Child(name);
    return child ? CTextUtf::Utf8ToUtf16(child->text) : std::u16string();
}

}  // namespace

bool CPermissionTexts::Load(std::string_view document, const std::u16string& languageCode)
{
    m_permissions.clear();
    m_groups.clear();
    XmlNode root;
    if (!CXmlTextReader::Parse(document, root) || root.name != "permission-texts") return false;

    const std::string code = CTextUtf::Utf16ToUtf8(languageCode);
    const XmlNode* language = nullptr;
    for (const XmlNode& child : root.children) {
        const std::string* attribute = child.Attribute("code");
        if (child.name == "language" && attribute && *attribute == code) language = &child;
    }
    if (!language) return false;

    std::map<std::u16string, PermissionText> permissions;
    std::map<std::u16string, PermissionGroup> groups;
    std::map<std::u16string, std::u16string> borrowed;  // name: the permission whose texts it uses
    for (const XmlNode& node : language->children) {
        if (node.name == "group") {
            const std::string* id = node.Attribute("id");
            const std::string* level = node.Attribute("level");
            const std::string* title = node.Attribute("title");
            PermissionGroup group;
            if (!id || !level || !ParseLevel(*level, group.level)) return false;
            if (title) group.title = CTextUtf::Utf8ToUtf16(*title);
            groups[CTextUtf::Utf8ToUtf16(*id)] = group;
        } else if (node.name == "permission") {
            const std::string* name = node.Attribute("name");
            const std::string* group = node.Attribute("group");
            if (!name || !group) return false;
            PermissionText text;
            text.title = ChildText(node, "title");
            text.description = ChildText(node, "description");
            text.group = CTextUtf::Utf8ToUtf16(*group);
            permissions[CTextUtf::Utf8ToUtf16(*name)] = text;
            if (const std::string* textOf = node.Attribute("text-of")) {
                borrowed[CTextUtf::Utf8ToUtf16(*name)] = CTextUtf::Utf8ToUtf16(*textOf);
            }
        }
    }
    // A borrowed text that is not there (or borrowed itself) leaves its permission untranslated.
    for (const auto& [name, source] : borrowed) {
        const auto found = permissions.find(source);
        if (found == permissions.end() || borrowed.count(source)) {
            permissions.erase(name);
            continue;
        }
        permissions[name].title = found->second.title;
        permissions[name].description = found->second.description;
    }
    m_permissions = std::move(permissions);
    m_groups = std::move(groups);
    return true;
}

const PermissionText* CPermissionTexts::Find(const std::u16string& permission) const
{
    const auto found = m_permissions.find(permission);
    return found == m_permissions.end() ? nullptr : &found->second;
}

const PermissionGroup* CPermissionTexts::FindGroup(const std::u16string& groupId) const
{
    const auto found = m_groups.find(groupId);
    return found == m_groups.end() ? nullptr : &found->second;
}
