// apkinfo [--json] [--lang CHS] PACKAGE...
// Prints what the package-information library reads from each package: one JSON object
// per line with --json, else text for a person. Exit 0 when every package parsed.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "FactsReader.h"
#include "TextUtf.h"

namespace {

#ifdef _WIN32
using ArgChar = wchar_t;
std::string ToUtf8(const wchar_t* text)
{
    return CTextUtf::Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(text)));
}
#else
using ArgChar = char;
std::string ToUtf8(const char* text)
{
    return text;
}
#endif

int Usage()
{
    std::fputs("usage: apkinfo [--json] [--lang CHS] PACKAGE...\n", stderr);
    return 1;
}

int Run(int argc, ArgChar** argv)
{
    bool json = false;
    std::u16string language = u"CHS";
    std::vector<int> packages;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = ToUtf8(argv[i]);
        if (argument == "--json") {
            json = true;
        } else if (argument == "--lang") {
            if (++i >= argc) return Usage();
            language = CTextUtf::Utf8ToUtf16(ToUtf8(argv[i]));
        } else if (argument.size() > 1 && argument[0] == '-' && argument != "--") {
            return Usage();
        } else if (argument != "--") {
            packages.push_back(i);
        }
    }
    if (packages.empty()) return Usage();

    CFactsReader reader;
    reader.Initialize(language);
    bool allParsed = true;
    for (int index : packages) {
        const PackageFacts facts = reader.Read(std::filesystem::path(argv[index]), ToUtf8(argv[index]));
        allParsed = allParsed && facts.ok;
        const std::string text = json ? facts.Json() + "\n" : facts.Text();
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    std::fflush(stdout);
    return allParsed ? 0 : 1;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
{
    // UTF-8 bytes as they are, no CR LF translation.
    _setmode(_fileno(stdout), _O_BINARY);
    return Run(argc, argv);
}
#else
int main(int argc, char** argv)
{
    return Run(argc, argv);
}
#endif
