#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>

#include "JsonWriter.h"
#include "PackageFacts.h"
#include "Sha256.h"
#include "ShownPermissions.h"
#include "OwnPackages.h"
#include "TestData.h"

namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string output;
};

ProgramRun RunApkInfo(const std::string& arguments)
{
#ifdef _WIN32
    const std::string command = "\"\"" APKI_APKINFO_PATH "\" " + arguments + "\"";
    FILE* pipe = _popen(command.c_str(), "rb");
#else
    const std::string command = "'" APKI_APKINFO_PATH "' " + arguments;
    FILE* pipe = popen(command.c_str(), "r");
#endif
    ProgramRun run;
    if (!pipe) return run;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, read);
#ifdef _WIN32
    run.exitCode = _pclose(pipe);
#else
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return run;
}

std::string Quote(const std::string& path)
{
    return "\"" + path + "\"";
}

// The object's keys at its top level, in order.
std::vector<std::string> TopLevelKeys(const std::string& json)
{
    std::vector<std::string> keys;
    int depth = 0;
    bool inString = false;
    std::string current;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\') current += json[++i];
            else if (c == '"') inString = false;
            else current += c;
            if (!inString && depth == 1 && i + 1 < json.size() && json[i + 1] == ':') keys.push_back(current);
            continue;
        }
        if (c == '"') {
            inString = true;
            current.clear();
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return keys;
}

}  // namespace

TEST(Sha256, KnownDigests)
{
    EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", CSha256::Hex(nullptr, 0));
    const std::string abc = "abc";
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
              CSha256::Hex(reinterpret_cast<const std::uint8_t*>(abc.data()), abc.size()));
    const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    EXPECT_EQ("248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1",
              CSha256::Hex(reinterpret_cast<const std::uint8_t*>(two.data()), two.size()));
}

TEST(ShownPermissions, HighestLevelFirstEqualLevelsInPackageOrder)
{
    const std::vector<std::u16string> names = {u"a80", u"b100", u"c69", u"d80", u"unknown", u"e70"};
    const auto shown = CShownPermissions::Select(names, [](const std::u16string& name, ShownPermission& out) {
        if (name == u"unknown") return false;
        out.level = std::stoi(std::string(name.begin() + 1, name.end()));
        out.title = name;
        return true;
    });
    ASSERT_EQ(4u, shown.size());
    EXPECT_EQ(u"b100", shown[0].name);
    EXPECT_EQ(u"a80", shown[1].name);
    EXPECT_EQ(u"d80", shown[2].name);
    EXPECT_EQ(u"e70", shown[3].name);
}

TEST(JsonWriter, EscapesAndNests)
{
    CJsonWriter json;
    json.BeginObject().Key("a\"b").String(std::string("x\\y\n\x01")).Key("list").BeginArray().Number(-1).Bool(true).Null()
        .EndArray().Key("text").String(u"汉").EndObject();
    EXPECT_EQ("{\"a\\\"b\":\"x\\\\y\\n\\u0001\",\"list\":[-1,true,null],\"text\":\"汉\"}", json.Text());
}

TEST(PackageFactsJson, NullsForWhatAFailedPackageCannotSay)
{
    PackageFacts facts;
    facts.file = "bad.apk";
    facts.size = 20;
    EXPECT_EQ("{\"file\":\"bad.apk\",\"ok\":false,\"size\":20,\"sizeText\":\"20 B\",\"package\":null,\"versionName\":null,"
              "\"versionCode\":null,\"version\":null,\"label\":null,\"labelDefault\":null,\"minSdk\":null,\"system\":null,"
              "\"icon\":null,\"permissions\":[],\"access\":[],\"shown\":[],\"bundle\":null,\"cut\":null}",
              facts.Json());
}

TEST(ApkInfoProgram, JsonLinesWithExactKeysAndExitCodes)
{
    const ProgramRun good = RunApkInfo("--json " + Quote(TestDataPath("apks/ApiDemos-debug.apk")) + " " +
                                Quote(TestDataPath("apks/settings_apk-debug.apk")));
    EXPECT_EQ(0, good.exitCode);
    const std::vector<std::string> keys = {"file", "ok", "size", "sizeText", "package", "versionName", "versionCode",
                                           "version", "label", "labelDefault", "minSdk", "system", "icon",
                                           "permissions", "access", "shown", "bundle", "cut"};
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start < good.output.size()) {
        const std::size_t end = good.output.find('\n', start);
        const std::string line = good.output.substr(start, end - start);
        start = end == std::string::npos ? good.output.size() : end + 1;
        ++lines;
        EXPECT_EQ(keys, TopLevelKeys(line));
    }
    EXPECT_EQ(2u, lines);
    EXPECT_NE(std::string::npos, good.output.find("\"label\":\"API Demos\""));
    EXPECT_NE(std::string::npos, good.output.find("\"icon\":{\"entry\":\"res/drawable-hdpi-v4/app_sample_code.png\",\"format\":\"png\""));
    EXPECT_NE(std::string::npos, good.output.find("\"access\":[\"special-access:sms-with-accessibility\","
                                                  "\"special-access:accessibility\",\"special-access:device-admin\"],"
                                                  "\"shown\":[{\"name\":\"special-access:sms-with-accessibility\""));

    const ProgramRun mixed = RunApkInfo("--json " + Quote(TestDataPath("apks/ApiDemos-debug.apk")) + " " +
                                 Quote(TestDataPath("adb/empty__devices.txt")));
    EXPECT_EQ(1, mixed.exitCode);
    EXPECT_NE(std::string::npos, mixed.output.find("\"ok\":false"));

    EXPECT_EQ(1, RunApkInfo("").exitCode);
    EXPECT_EQ(1, RunApkInfo("--bogus x.apk").exitCode);
}

TEST(ApkInfoProgram, TextForAPerson)
{
    const ProgramRun run = RunApkInfo("--lang CHS " + Quote(TestDataPath("apks/ApiDemos-debug.apk")));
    EXPECT_EQ(0, run.exitCode);
    EXPECT_NE(std::string::npos, run.output.find("API Demos"));
    EXPECT_NE(std::string::npos, run.output.find("Android 4.2+"));
}

TEST(ApkInfoProgram, IconDrawnFromItsXmlIsNamedAndPaintedWhereTheLibraryPaints)
{
    const ProgramRun run = RunApkInfo("--json " + Quote(OwnPackagePath("vector_only")));
    EXPECT_EQ(0, run.exitCode);
    EXPECT_NE(std::string::npos, run.output.find("\"icon\":{\"entry\":\"res/mipmap-anydpi-v26/ic_launcher.xml\""));
    EXPECT_NE(std::string::npos, run.output.find("\"origin\":\"drawn\""));
#ifdef _WIN32
    // Pakrun.dll's PNG, named by its hash; the parser's own painting gave the same bytes.
    EXPECT_TRUE(std::regex_search(run.output, std::regex("\"format\":\"png\",\"bytes\":[1-9][0-9]*,\"sha256\":\"[0-9a-f]{64}\"")));
#else
    // Nothing paints here: the entry and that it is drawn, no bytes.
    EXPECT_NE(std::string::npos, run.output.find("\"format\":null,\"bytes\":0,\"sha256\":null"));
#endif
    const ProgramRun text = RunApkInfo(Quote(OwnPackagePath("vector_only")));
    EXPECT_NE(std::string::npos, text.output.find("res/mipmap-anydpi-v26/ic_launcher.xml (drawn from its XML"));
}
