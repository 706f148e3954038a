#include "PackageFacts.h"

#include "JsonWriter.h"
#include "ByteSizeText.h"
#include "TextUtf.h"

namespace {

// The window's size text; it is ASCII, so each character is one byte.
std::string SizeText(std::uint32_t bytes)
{
    const std::wstring wide = FormatByteSize(bytes);
    return std::string(wide.begin(), wide.end());
}


std::string Utf8(const std::u16string& text)
{
    return CTextUtf::Utf16ToUtf8(text);
}

std::string Utf8(const std::optional<std::u16string>& text, const char* absent = "-")
{
    return text ? Utf8(*text) : std::string(absent);
}

std::string OriginText(const IconFacts& icon)
{
    if (icon.origin == "drawn") return "drawn from its XML";
    if (icon.origin == "converted") return "WebP decoded by the system";
    if (icon.origin == "named") return "a bitmap its XML names";
    return "the file as it is";
}

std::optional<std::u16string> NullIfEmpty(const std::u16string& text)
{
    return text.empty() ? std::nullopt : std::optional<std::u16string>(text);
}

}  // namespace

void PackageFacts::TakeParserFacts(const ApkSummary& summary)
{
    packageName = summary.packageName;
    versionName = summary.versionName;
    versionCode = summary.versionCode;
    labelDefault = summary.labelDefault;
    minSdk = summary.minSdk;
    minSdkCodename = summary.minSdkCodename;
    access = summary.access;
    cut = summary.cut;
}

std::string PackageFacts::Json() const
{
    CJsonWriter json;
    json.BeginObject();
    json.Key("file").String(file);
    json.Key("ok").Bool(ok);
    json.Key("size").Number(size);
    json.Key("sizeText").String(SizeText(size));
    json.Key("package").OptionalString(packageName);
    json.Key("versionName").OptionalString(versionName);
    json.Key("versionCode").OptionalString(versionCode);
    json.Key("version").OptionalString(NullIfEmpty(version));
    json.Key("label").OptionalString(NullIfEmpty(label));
    json.Key("labelDefault").OptionalString(labelDefault);
    json.Key("minSdk");
    if (!ok) json.Null();
    else if (!minSdkCodename.empty()) json.String(minSdkCodename);
    else json.Number(minSdk);
    json.Key("system").OptionalString(NullIfEmpty(system));
    json.Key("icon");
    if (icon) {
        auto stringOrNull = [&](const std::string& text) { return text.empty() ? json.Null() : json.String(text); };
        json.BeginObject();
        json.Key("entry");
        stringOrNull(icon->entry);
        json.Key("format");
        stringOrNull(icon->format);
        json.Key("bytes").Number(static_cast<std::int64_t>(icon->bytes));
        json.Key("sha256");
        stringOrNull(icon->sha256);
        json.Key("origin");
        stringOrNull(icon->origin);
        json.EndObject();
    } else {
        json.Null();
    }
    json.Key("permissions").BeginArray();
    for (const std::u16string& name : permissions) json.String(name);
    json.EndArray();
    json.Key("access").BeginArray();
    for (const std::u16string& name : access) json.String(name);
    json.EndArray();
    json.Key("shown").BeginArray();
    for (const ShownPermission& permission : shown) {
        json.BeginObject();
        json.Key("name").String(permission.name);
        json.Key("title").String(permission.title);
        json.Key("description").String(permission.description);
        json.Key("level").Number(permission.level);
        json.EndObject();
    }
    json.EndArray();
    json.Key("bundle");
    if (bundle.IsBundle()) {
        json.BeginObject();
        json.Key("layout").String(LayoutName(bundle.layout));
        json.Key("encrypted").Bool(bundle.encrypted);
        json.Key("parts").BeginArray();
        for (const BundlePart& part : bundle.parts) {
            json.BeginObject();
            json.Key("entry").String(part.entryName);
            json.Key("module").String(part.module);
            json.Key("kind").String(KindName(part.kind));
            json.Key("config").String(part.config);
            json.Key("size").Number(static_cast<std::int64_t>(part.size));
            json.EndObject();
        }
        json.EndArray();
        json.Key("expansions").BeginArray();
        for (const BundleExpansion& expansion : bundle.expansions) {
            json.BeginObject();
            json.Key("entry").String(expansion.entryName);
            json.Key("name").String(expansion.fileName);
            json.Key("size").Number(static_cast<std::int64_t>(expansion.size));
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    } else {
        json.Null();
    }
    json.Key("cut");
    if (cut) json.String(*cut);
    else json.Null();
    json.EndObject();
    return json.Text();
}

std::string PackageFacts::Text() const
{
    std::string text = file + "\n";
    text += "  parsed:       " + std::string(ok ? "yes" : "no") + "\n";
    text += "  size:         " + SizeText(size) + " (" + std::to_string(size) + " bytes)\n";
    if (bundle.IsBundle()) {
        text += "  bundle:       " + std::string(LayoutName(bundle.layout)) + (bundle.encrypted ? ", encrypted" : "") + ", " +
                std::to_string(bundle.parts.size()) + " packages, " + std::to_string(bundle.expansions.size()) +
                " expansion files\n";
        for (const BundlePart& part : bundle.parts) {
            text += "    " + part.entryName + " (" + KindName(part.kind) + (part.config.empty() ? "" : " " + part.config) + ")\n";
        }
        for (const BundleExpansion& expansion : bundle.expansions) text += "    " + expansion.entryName + " -> " + expansion.fileName + "\n";
    }
    if (!ok) return text;
    text += "  package:      " + Utf8(packageName) + "\n";
    text += "  version:      " + Utf8(version) + " (name " + Utf8(versionName) + ", code " + Utf8(versionCode) + ")\n";
    text += "  name:         " + Utf8(label) + " (default label " + Utf8(labelDefault) + ")\n";
    text += "  system:       " + Utf8(system) + " (minSdk " +
            (minSdkCodename.empty() ? std::to_string(minSdk) : Utf8(minSdkCodename)) + ")\n";
    if (icon) {
        text += "  icon:         " + (icon->entry.empty() ? std::string("?") : icon->entry) + " (" + OriginText(*icon);
        if (icon->bytes > 0) {
            text += ", " + icon->format + ", " + std::to_string(icon->bytes) + " bytes, sha256 " + icon->sha256;
        } else if (icon->origin == "drawn") {
            text += ", " + std::to_string(icon->shapes) + " shapes; Pakrun.dll paints it as a PNG";
        }
        text += ")\n";
    } else {
        text += "  icon:         none (the window shows its default icon)\n";
    }
    text += "  permissions:  " + std::to_string(permissions.size()) + "\n";
    for (const std::u16string& name : permissions) text += "    " + Utf8(name) + "\n";
    text += "  access:       " + std::to_string(access.size()) + "\n";
    for (const std::u16string& name : access) text += "    " + Utf8(name) + "\n";
    if (cut) text += "  cut:          " + *cut + " (the read stopped there)\n";
    text += "  shown:        " + std::to_string(shown.size()) + "\n";
    for (const ShownPermission& permission : shown) {
        text += "    [" + std::to_string(permission.level) + "] " + Utf8(permission.title) + ": " +
                Utf8(permission.description) + "\n";
    }
    return text;
}
