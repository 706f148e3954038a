#include "BundleContents.h"

#include <cctype>

namespace {

struct NamedDensity {
    const char* name;
    int dpi;
};

constexpr NamedDensity kDensities[] = {
    {"ldpi", 120}, {"mdpi", 160}, {"tvdpi", 213}, {"hdpi", 240},
    {"xhdpi", 320}, {"xxhdpi", 480}, {"xxxhdpi", 640},
};

constexpr const char* kAbis[] = {"armeabi", "armeabi_v7a", "arm64_v8a", "x86", "x86_64", "mips", "mips64",
                                 "riscv64"};

bool IsLetters(const std::string& text, std::size_t from, std::size_t to)
{
    if (from >= to) return false;
    for (std::size_t i = from; i < to; ++i) {
        if (!std::isalpha(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}

std::string Lower(std::string text)
{
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "zh", "zh_TW", "zh-rTW" or "b+sr+Latn": the language, lower case; empty for anything else.
std::string LanguageOf(const std::string& name)
{
    std::string body = name;
    if (body.rfind("b+", 0) == 0) body = body.substr(2);
    const std::size_t end = body.find_first_of("_-+");
    const std::size_t length = end == std::string::npos ? body.size() : end;
    if (length < 2 || length > 3 || !IsLetters(body, 0, length)) return std::string();
    return Lower(body.substr(0, length));
}

}  // namespace

const BundlePart* BundleContents::Base() const
{
    for (const BundlePart& part : parts) {
        if (part.kind == SplitKind::Base) return &part;
    }
    return nullptr;
}

const char* LayoutName(BundleLayout layout)
{
    switch (layout) {
    case BundleLayout::Xapk: return "xapk";
    case BundleLayout::SplitSet: return "split-set";
    case BundleLayout::PackageSet: return "package-set";
    case BundleLayout::None: break;
    }
    return "none";
}

const char* KindName(SplitKind kind)
{
    static const char* const kNames[] = {"base", "module", "abi", "density", "language", "other"};
    return kNames[static_cast<int>(kind)];
}

void ClassifyConfig(const std::string& name, BundlePart& part)
{
    part.kind = SplitKind::Other;
    part.config = name;
    part.density = 0;
    const std::string lower = Lower(name);
    for (const char* abi : kAbis) {
        if (lower == abi) {
            part.kind = SplitKind::Abi;
            part.config = lower;
            for (char& c : part.config) c = c == '_' ? '-' : c;  // as the phone names it
            return;
        }
    }
    for (const NamedDensity& density : kDensities) {
        if (lower == density.name) {
            part.kind = SplitKind::Density;
            part.config = lower;
            part.density = density.dpi;
            return;
        }
    }
    const std::string language = LanguageOf(name);
    if (!language.empty()) {
        part.kind = SplitKind::Language;
        part.config = language;
    }
}
