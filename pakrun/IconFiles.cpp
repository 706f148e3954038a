#include "IconFiles.h"

#include <algorithm>

namespace {

// Enough of a file to tell its format.
constexpr std::size_t kSniffBytes = 32;

bool IsXmlPath(const std::string& path)
{
    return path.size() >= 4 && path.compare(path.size() - 4, 4, ".xml") == 0;
}

// Lower is better: locale-free, then without other qualifiers, then the newest version.
long XmlRank(const CResourceConfig& config)
{
    return (config.HasLocale() ? 1L << 20 : 0) + (config.HasOtherQualifiers() ? 1L << 18 : 0) -
           long(config.PlatformVersion());
}

}  // namespace

CIconFiles::~CIconFiles()
{
    if (m_pBudget) m_pBudget->Release(m_nHeld);
}

bool CIconFiles::Hold(std::size_t bytes)
{
    if (m_pBudget && !m_pBudget->Hold(bytes)) return false;
    m_nHeld += bytes;
    return true;
}

bool CIconFiles::ReadBitmap(std::uint32_t resourceId, bool (*accept)(ImageKind), IconBitmap& out)
{
    std::vector<ResourceFile> files;
    m_resolver.Files(resourceId, files);
    std::vector<std::uint8_t> bytes;
    for (const ResourceFile& file : files) {
        if (IsXmlPath(file.path)) continue;
        if (m_budget.bitmapReads-- <= 0) return false;
        const ZipEntry* entry = m_zip.Find(file.path);
        if (!entry || entry->uncompressedSize > kMaxBitmapBytes) continue;
        // Only a file that starts as an accepted picture is read whole.
        if (m_zip.Read(*entry, kSniffBytes, bytes) == ZipReadStatus::Failed ||
            !accept(CImageFormat::Sniff(bytes.data(), bytes.size()))) {
            continue;
        }
        if (m_zip.Read(*entry, kMaxBitmapBytes, bytes) != ZipReadStatus::Complete) continue;
        const ImageKind kind = CImageFormat::Sniff(bytes.data(), bytes.size());
        if (!accept(kind)) continue;
        out.entry = file.path;
        out.kind = kind;
        out.bytes = std::move(bytes);
        return true;
    }
    return false;
}

bool CIconFiles::ReadXml(std::uint32_t resourceId, std::string& path, std::vector<std::uint8_t>& bytes)
{
    std::vector<ResourceFile> files;
    m_resolver.Files(resourceId, files);
    const ResourceFile* best = nullptr;
    for (const ResourceFile& file : files) {
        if (IsXmlPath(file.path) && (!best || XmlRank(file.config) < XmlRank(best->config))) best = &file;
    }
    if (!best || !ReadDocument(best->path, bytes)) return false;
    path = best->path;
    return true;
}

bool CIconFiles::ReadDocument(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    if (m_budget.documents-- <= 0) return false;
    const ZipEntry* entry = m_zip.Find(path);
    if (!entry || entry->uncompressedSize > m_budget.documentBytes) return false;
    const std::size_t cap = std::min(kMaxXmlBytes, m_budget.documentBytes);
    if (m_zip.Read(*entry, cap, bytes) == ZipReadStatus::Failed) return false;
    m_budget.documentBytes -= bytes.size();
    return true;
}
