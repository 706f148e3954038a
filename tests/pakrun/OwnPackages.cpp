#include "OwnPackages.h"

#include "ApkParser.h"
#include "MemorySource.h"
#include "TextUtf.h"

std::string OwnPackagePath(const std::string& name)
{
    return std::string(APKI_OWN_PACKAGES_DIR) + "/" + name + ".apk";
}

std::string PlatformPackagePath()
{
    return APKI_PLATFORM_PACKAGE;
}

std::string SourceLanguageFilePath()
{
    return APKI_SOURCE_LANGUAGE_FILE;
}

ApkSummary ParseBytes(const std::string& bytes)
{
    CMemorySource source(bytes.data(), bytes.size());
    ApkSummary summary;
    CApkParser::Parse(source, CApkParser::LocaleOf(u"CHS"), summary);
    return summary;
}

std::string Narrow(const std::u16string& text)
{
    return CTextUtf::Utf16ToUtf8(text);
}
