#include "IconChooser.h"

#include <algorithm>

#include "BinaryXml.h"
#include "DrawableReader.h"
#include "ManifestReader.h"
#include "PaintWork.h"

namespace {

constexpr int kMaxXmlDepth = 3;
// How many of a document's drawable references are tried.
constexpr std::size_t kMaxDrawablesPerXml = 8;

bool IsWebP(ImageKind kind)
{
    return kind == ImageKind::WebP;
}

bool IsDecodableOrWebP(ImageKind kind)
{
    return CImageFormat::IsDecodable(kind) || kind == ImageKind::WebP;
}

// The resources that the document draws, best first: the references inside an adaptive
// icon's <foreground> (on it or on any element within it), then the document's other
// android:drawable and android:src references; each once, in document order.
void DrawablesOfXml(const std::vector<std::uint8_t>& bytes, std::vector<std::uint32_t>& out)
{
    out.clear();
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

}  // namespace

bool CIconChooser::Choose(std::uint32_t iconId, std::uint32_t roundIconId, ApkIcon& out) const
{
    out = ApkIcon();
    // One budget of file reads for the whole choice.
    CIconFiles files(m_zip, m_resolver, m_pBudget);
    const std::uint32_t ids[] = {iconId, roundIconId};
    for (const std::uint32_t id : ids) {
        if (id != 0 && AsItIs(files, id, out)) return true;
    }
    for (const std::uint32_t id : ids) {
        if (id != 0 && Drawn(files, id, out)) return true;
    }
    for (const std::uint32_t id : ids) {
        if (id != 0 && Converted(files, id, out)) return true;
    }
    for (const std::uint32_t id : ids) {
        if (id != 0 && NamedByXml(files, id, 0, out)) return true;
    }
    return false;
}

bool CIconChooser::AsItIs(CIconFiles& files, std::uint32_t resourceId, ApkIcon& out) const
{
    IconBitmap bitmap;
    if (!files.ReadBitmap(resourceId, CImageFormat::IsDecodable, bitmap)) return false;
    out.entry = std::move(bitmap.entry);
    out.origin = IconOrigin::Bitmap;
    out.kind = bitmap.kind;
    out.bytes = std::move(bitmap.bytes);
    return true;
}

bool CIconChooser::Drawn(CIconFiles& files, std::uint32_t resourceId, ApkIcon& out) const
{
    const bool webp = m_pPainter && m_pPainter->DecodesWebP();
    CDrawableReader reader(files, webp ? IsDecodableOrWebP : CImageFormat::IsDecodable);
    IconScene scene;
    std::string entry;
    const int pixels = m_pPainter ? m_pPainter->IconPixels() : kDrawnIconPixels;
    if (!reader.ReadIcon(resourceId, pixels, scene, entry)) return false;
    std::vector<std::uint8_t> png;
    if (m_pBudget) m_pBudget->Enter(ReadPhase::Drawing);
    const bool painted = !m_pPainter || m_pPainter->Paint(scene, png);
    if (m_pBudget) m_pBudget->Enter(ReadPhase::Icon);
    if (!painted) return false;
    out.entry = std::move(entry);
    out.origin = IconOrigin::Drawn;
    out.kind = m_pPainter ? ImageKind::Png : ImageKind::Unknown;
    out.bytes = std::move(png);
    out.scene = std::move(scene);
    return true;
}

bool CIconChooser::Converted(CIconFiles& files, std::uint32_t resourceId, ApkIcon& out) const
{
    IconBitmap bitmap;
    std::vector<std::uint8_t> png;
    if (!m_pPainter || !m_pPainter->DecodesWebP() || !files.ReadBitmap(resourceId, IsWebP, bitmap)) return false;
    // Decoded whole: counted and held like a layer's picture first.
    const double pixels = CPaintWork::BitmapPixels(bitmap);
    if (m_pBudget) {
        m_pBudget->Enter(ReadPhase::Decoding);
        const bool affordable = pixels <= CPaintWork::kMaxLayerPixels && m_pBudget->Spend(CPaintWork::kPerDecodedPixel * pixels) &&
                                files.Hold(std::size_t(CPaintWork::kDecodedPixelBytes * pixels));
        if (pixels > CPaintWork::kMaxLayerPixels) m_pBudget->MarkCut(ReadPhase::Decoding);
        m_pBudget->Enter(ReadPhase::Icon);
        if (!affordable) return false;
    }
    if (!m_pPainter->ConvertWebP(bitmap.bytes, png)) return false;
    out.entry = std::move(bitmap.entry);
    out.origin = IconOrigin::Converted;
    out.kind = ImageKind::Png;
    out.bytes = std::move(png);
    return true;
}

// An adaptive icon (or an inset, bitmap or layer around one) names its pictures by
// android:drawable or android:src; each is tried in turn until one is a bitmap.
bool CIconChooser::NamedByXml(CIconFiles& files, std::uint32_t resourceId, int depth, ApkIcon& out) const
{
    std::string path;
    std::vector<std::uint8_t> bytes;
    if (depth >= kMaxXmlDepth || !files.ReadXml(resourceId, path, bytes)) return false;
    std::vector<std::uint32_t> drawables;
    DrawablesOfXml(bytes, drawables);
    for (const std::uint32_t drawable : drawables) {
        if (drawable == resourceId) continue;
        if (AsItIs(files, drawable, out) || NamedByXml(files, drawable, depth + 1, out)) {
            out.origin = IconOrigin::Named;
            return true;
        }
    }
    return false;
}
