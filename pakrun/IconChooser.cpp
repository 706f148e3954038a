#include "IconChooser.h"

#include "BinaryXml.h"
#include "ManifestReader.h"

namespace {

constexpr int kMaxXmlDepth = 3;
// How many files of one resource are opened in the search for a decodable one.
constexpr int kMaxBitmapReads = 32;
// How many drawable documents one choice may open, whatever the table says.
constexpr int kMaxXmlDocuments = 16;

bool EndsWith(const std::string& text, const char* suffix)
{
    const std::string tail(suffix);
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool CIconChooser::Choose(std::uint32_t iconId, std::uint32_t roundIconId, ApkIcon& out) const
{
    out = ApkIcon();
    if (iconId != 0 && FirstBitmap(iconId, out)) return true;
    if (roundIconId != 0 && FirstBitmap(roundIconId, out)) return true;
    int budget = kMaxXmlDocuments;
    if (iconId != 0 && BitmapBehindXml(iconId, 0, budget, out)) return true;
    return roundIconId != 0 && BitmapBehindXml(roundIconId, 0, budget, out);
}

// The first file of the resource, in density order, that is a decodable image.
bool CIconChooser::FirstBitmap(std::uint32_t resourceId, ApkIcon& out) const
{
    std::vector<ResourceFile> files;
    m_resolver.Files(resourceId, files);
    std::vector<std::uint8_t> bytes;
    int reads = 0;
    for (const ResourceFile& file : files) {
        if (EndsWith(file.path, ".xml")) continue;
        if (++reads > kMaxBitmapReads) return false;
        const ZipEntry* entry = m_zip.Find(file.path);
        if (!entry || entry->uncompressedSize > kMaxIconBytes) continue;
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

// An adaptive icon (or an inset, bitmap or layer around one) names its picture by
// android:drawable or android:src; the first such picture that is a bitmap wins.
bool CIconChooser::BitmapBehindXml(std::uint32_t resourceId, int depth, int& budget, ApkIcon& out) const
{
    if (depth >= kMaxXmlDepth) return false;
    std::vector<ResourceFile> files;
    m_resolver.Files(resourceId, files);
    for (const ResourceFile& file : files) {
        if (!EndsWith(file.path, ".xml")) continue;
        if (budget-- <= 0) return false;
        const std::uint32_t drawable = DrawableOfXml(file.path);
        if (drawable == 0 || drawable == resourceId) continue;
        if (FirstBitmap(drawable, out) || BitmapBehindXml(drawable, depth + 1, budget, out)) return true;
    }
    return false;
}

// The resource that the document draws: an adaptive icon's foreground first, else the
// first android:drawable or android:src reference in it.
std::uint32_t CIconChooser::DrawableOfXml(const std::string& path) const
{
    const ZipEntry* entry = m_zip.Find(path);
    std::vector<std::uint8_t> bytes;
    if (!entry || m_zip.Read(*entry, kMaxXmlBytes, bytes) == ZipReadStatus::Failed) return 0;
    CBinaryXml document;
    if (!document.Load(CByteView(bytes.data(), bytes.size()))) return 0;
    std::uint32_t foreground = 0;
    std::uint32_t any = 0;
    document.ForEachElement([&](const XmlElement& element) {
        const XmlAttribute* attribute = document.Find(element, AndroidAttr::kDrawable, "drawable");
        if (!attribute || !attribute->value.IsReference()) attribute = document.Find(element, AndroidAttr::kSrc, "src");
        if (!attribute || !attribute->value.IsReference()) return true;
        if (document.NameIs(element.name, "foreground")) {
            foreground = attribute->value.data;
            return false;
        }
        if (any == 0) any = attribute->value.data;
        return true;
    });
    return foreground != 0 ? foreground : any;
}
