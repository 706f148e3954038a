#include "IconChooser.h"

#include <algorithm>

#include "BinaryXml.h"
#include "ManifestReader.h"

namespace {

constexpr int kMaxXmlDepth = 3;
// How many files one choice opens in the search for a decodable one.
constexpr int kMaxBitmapReads = 64;
// How many drawable documents one choice may open.
constexpr int kMaxXmlDocuments = 16;
// How many of a document's drawable references are tried.
constexpr std::size_t kMaxDrawablesPerXml = 8;
// Enough of a file to tell its format.
constexpr std::size_t kSniffBytes = 32;

bool EndsWith(const std::string& text, const char* suffix)
{
    const std::string tail(suffix);
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool CIconChooser::Choose(std::uint32_t iconId, std::uint32_t roundIconId, ApkIcon& out) const
{
    out = ApkIcon();
    Budget budget{kMaxBitmapReads, kMaxXmlDocuments};
    if (iconId != 0 && FirstBitmap(iconId, budget, out)) return true;
    if (roundIconId != 0 && FirstBitmap(roundIconId, budget, out)) return true;
    if (iconId != 0 && BitmapBehindXml(iconId, 0, budget, out)) return true;
    return roundIconId != 0 && BitmapBehindXml(roundIconId, 0, budget, out);
}

// The first file of the resource, in density order, that is a decodable image.
bool CIconChooser::FirstBitmap(std::uint32_t resourceId, Budget& budget, ApkIcon& out) const
{
    std::vector<ResourceFile> files;
    m_resolver.Files(resourceId, files);
    std::vector<std::uint8_t> bytes;
    for (const ResourceFile& file : files) {
        if (EndsWith(file.path, ".xml")) continue;
        if (budget.bitmapReads-- <= 0) return false;
        const ZipEntry* entry = m_zip.Find(file.path);
        if (!entry || entry->uncompressedSize > kMaxIconBytes) continue;
        // Only a file that starts as a decodable picture is read whole.
        if (m_zip.Read(*entry, kSniffBytes, bytes) == ZipReadStatus::Failed ||
            !CImageFormat::IsDecodable(CImageFormat::Sniff(bytes.data(), bytes.size()))) {
            continue;
        }
        if (m_zip.Read(*entry, kMaxIconBytes, bytes) != ZipReadStatus::Complete) continue;
        const ImageKind kind = CImageFormat::Sniff(bytes.data(), bytes.size());
        if (!CImageFormat::IsDecodable(kind)) continue;
        out.entry = file.path;
        out.kind = kind;
        out.bytes = std::move(bytes);
        return true;
    }
    return false;
}

// An adaptive icon (or an inset, bitmap or layer around one) names its pictures by
// android:drawable or android:src; each is tried in turn until one is a bitmap.
bool CIconChooser::BitmapBehindXml(std::uint32_t resourceId, int depth, Budget& budget, ApkIcon& out) const
{
    if (depth >= kMaxXmlDepth) return false;
    std::vector<ResourceFile> files;
    m_resolver.Files(resourceId, files);
    std::vector<std::uint32_t> drawables;
    for (const ResourceFile& file : files) {
        if (!EndsWith(file.path, ".xml")) continue;
        if (budget.documents-- <= 0) return false;
        DrawablesOfXml(file.path, drawables);
        for (const std::uint32_t drawable : drawables) {
            if (drawable == resourceId) continue;
            if (FirstBitmap(drawable, budget, out) || BitmapBehindXml(drawable, depth + 1, budget, out)) return true;
        }
    }
    return false;
}

// The resources that the document draws, best first: the references inside an adaptive
// icon's <foreground> (on it or on any element within it), then the document's other
// android:drawable and android:src references; each once, in document order.
void CIconChooser::DrawablesOfXml(const std::string& path, std::vector<std::uint32_t>& out) const
{
    out.clear();
    const ZipEntry* entry = m_zip.Find(path);
    std::vector<std::uint8_t> bytes;
    if (!entry || m_zip.Read(*entry, kMaxXmlBytes, bytes) == ZipReadStatus::Failed) return;
    CBinaryXml document;
    if (!document.Load(CByteView(bytes.data(), bytes.size()))) return;
    std::vector<std::uint32_t> others;
    int foregroundDepth = 0;  // the open <foreground>'s depth; 0 outside one
    document.ForEachElement([&](const XmlElement& element) {
        if (element.depth <= foregroundDepth) foregroundDepth = 0;
        if (foregroundDepth == 0 && document.NameIs(element.name, "foreground")) foregroundDepth = element.depth;
        const XmlAttribute* attribute = document.Find(element, AndroidAttr::kDrawable, "drawable");
        if (!attribute || !attribute->value.IsReference()) attribute = document.Find(element, AndroidAttr::kSrc, "src");
        if (!attribute || !attribute->value.IsReference()) return true;
        std::vector<std::uint32_t>& list = foregroundDepth != 0 ? out : others;
        if (list.size() < kMaxDrawablesPerXml && std::find(list.begin(), list.end(), attribute->value.data) == list.end()) {
            list.push_back(attribute->value.data);
        }
        return true;
    });
    for (const std::uint32_t drawable : others) {
        if (std::find(out.begin(), out.end(), drawable) == out.end()) out.push_back(drawable);
    }
    if (out.size() > kMaxDrawablesPerXml) out.resize(kMaxDrawablesPerXml);
}
