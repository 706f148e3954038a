// Any bytes as what a phone printed for the questions before an install and for opening
// an app; the verdict made from them always has a text and never reads past its values.
#include <cstdint>

#include "InstallVerdict.h"
#include "PhoneCommands.h"
#include "PhoneOutputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring output;
    output.reserve(size);
    for (std::size_t i = 0; i < size; ++i) output += wchar_t(data[i]);
    const std::wstring package = L"com.example.demo";

    PhoneFacts phone;
    phone.abis = ParseAbiList(output, output, output);
    phone.installed = ParsePackageList(output, package);
    ReadDumpsysPackage(output, package, phone.installed);
    phone.freeKnown = ParseDfAvailable(output, phone.freeBytes) || ParseStatAvailable(output, phone.freeBytes);
    phone.sdk = int(size % 40);

    const std::wstring serial = FirstReadySerial(output);
    const std::wstring component = ParseResolvedActivity(output, package);
    if (!component.empty() && component.compare(0, package.size() + 1, package + L"/") != 0) __builtin_trap();
    if (IsSafeComponent(output, package) && output.find_first_of(L" ;&|$`'\"\n") != std::wstring::npos) __builtin_trap();
    (void)serial;
    (void)AmStartSucceeded(output);
    (void)MonkeySucceeded(output);

    PackageFacts facts;
    facts.packageName = package;
    facts.codeKnown = true;
    facts.versionCode = 12;
    facts.minSdk = 21;
    facts.size = size;
    const Verdict verdict = ChooseVerdict(facts, phone);
    if (verdict.kind != VerdictKind::None && VerdictTextId(verdict.kind) == 0) __builtin_trap();
    (void)VerdictText(verdict, L"%s %s %s");
    return 0;
}
