// Writes every crafted package into a directory, for the benchmark:
//     write_crafted <directory>
#include <cstdio>
#include <fstream>
#include <string>

#include "CraftedPackages.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: write_crafted <directory>\n", stderr);
        return 64;
    }
    for (const CraftedPackage& package : CCraftedPackages::All()) {
        const std::string path = std::string(argv[1]) + "/" + package.name + ".apk";
        std::ofstream out(path, std::ios::binary);
        out.write(package.bytes.data(), std::streamsize(package.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s %s\n", path.c_str(), package.cutPhase.c_str());
    }
    return 0;
}
