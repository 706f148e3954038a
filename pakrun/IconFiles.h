// The files one icon choice reads from the package: the bitmaps and XML documents of
// drawable resources, each open counted against one budget for the whole choice, so
// that a crafted table or document fanning out to many files ends soon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "IconScene.h"
#include "ReadBudget.h"
#include "ResourceResolver.h"
#include "ZipArchive.h"

struct IconReadBudget {
    int bitmapReads = 64;               // files opened in the search for a bitmap
    int documents = 48;                 // XML documents opened
    std::size_t documentBytes = 4u << 20;  // their bytes together
    std::size_t pathCommands = 50000;   // path commands read from every vector together
    // Points of paths and clips drawn, together: what GDI+ has to fill.
    std::size_t pathPoints = 100000;
};

class CIconFiles {
public:
    // No real launcher icon comes near these.
    static constexpr std::size_t kMaxBitmapBytes = 8u * 1024 * 1024;
    static constexpr std::size_t kMaxXmlBytes = 1024u * 1024;

    // The budget may be null; the bytes held for the choice are given back when it ends.
    CIconFiles(const CZipArchive& zip, const CResourceResolver& resolver, CReadBudget* budget = nullptr)
        : m_zip(zip), m_resolver(resolver), m_pBudget(budget)
    {
    }
    ~CIconFiles();
    CIconFiles(const CIconFiles&) = delete;
    CIconFiles& operator=(const CIconFiles&) = delete;

    const CResourceResolver& Resolver() const { return m_resolver; }
    CReadBudget* ReadBudget() const { return m_pBudget; }
    // Holds bytes that the choice keeps (a layer's picture) until it ends; false when the
    // budget's ceiling refuses them.
    bool Hold(std::size_t bytes);
    IconReadBudget& Budget() { return m_budget; }

    // The first of the resource's bitmaps, best density first, whose format accept takes.
    bool ReadBitmap(std::uint32_t resourceId, bool (*accept)(ImageKind), IconBitmap& out);

    // The resource's XML document that a current phone takes: one for no particular
    // locale, without other qualifiers, of the newest platform version (aapt2 writes
    // older versions without the attributes that old platforms lack).
    bool ReadXml(std::uint32_t resourceId, std::string& path, std::vector<std::uint8_t>& bytes);

private:
    bool ReadDocument(const std::string& path, std::vector<std::uint8_t>& bytes);

    const CZipArchive& m_zip;
    const CResourceResolver& m_resolver;
    IconReadBudget m_budget;
    CReadBudget* m_pBudget;
    std::size_t m_nHeld = 0;
};
