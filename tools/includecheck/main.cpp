// include-check: fails, naming file and line, when a folder includes one the layering map does not
// allow it.
//
//   include-check ROOT [MAP]     MAP defaults to ROOT/layers.txt
#include "IncludeCheck.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>

namespace {

/// The folders that hold the project's C++ code and the build's include directories.
const includecheck::TreeLayout kCorvinaLayout{
    {"src", "res", "tools", "tests", "bench", "fuzz"},
    {"src", ".", "tests", "tools"},
};

enum ExitStatus : int { kExitClean = 0, kExitViolations = 1, kExitUsage = 2 };

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("Usage: include-check ROOT [MAP]\n", stderr);
        return kExitUsage;
    }
    const std::filesystem::path root = argv[1];
    const std::filesystem::path mapPath = argc == 3 ? std::filesystem::path(argv[2]) : root / "layers.txt";
    std::ifstream mapFile(mapPath);
    if (!mapFile) {
        std::fprintf(stderr, "include-check: cannot read the include map %s\n", mapPath.c_str());
        return kExitUsage;
    }
    std::ostringstream mapText;
    mapText << mapFile.rdbuf();
    try {
        const auto map = includecheck::IncludeMap::Parse(mapText.str());
        const auto violations = includecheck::CheckTree(root, kCorvinaLayout, map);
        for (const auto& violation : violations) {
            std::printf("%s\n", includecheck::Describe(violation).c_str());
        }
        return violations.empty() ? kExitClean : kExitViolations;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "include-check: %s\n", error.what());
        return kExitUsage;
    }
}
