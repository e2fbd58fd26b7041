// Checking a source tree's includes against the layering map.
#include "IncludeCheck.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <regex>

namespace includecheck {

namespace fs = std::filesystem;

namespace {

const std::regex kIncludeLine(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
const std::regex kQtHeader(R"(^Q[A-Za-z])");

bool IsCppFile(const fs::path& path) {
    const std::string extension = path.extension().string();
    return extension == ".h" || extension == ".hpp" || extension == ".cpp" || extension == ".cc";
}

std::string Relative(const fs::path& path, const fs::path& root) {
    return path.lexically_relative(root).lexically_normal().generic_string();
}

/// The file a quoted include names: beside the including file first, then in the include roots.
std::optional<std::string> Resolve(const fs::path& root, const TreeLayout& layout, const fs::path& includer,
                                   const std::string& name) {
    std::vector<fs::path> candidates{includer.parent_path() / name};
    for (const std::string& folder : layout.includeRoots) {
        candidates.push_back(root / folder / name);
    }
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) {
            return Relative(candidate, root);
        }
        // A header the build makes from a template ("X.h.in") belongs where its template lies.
        fs::path made = candidate;
        made += ".in";
        if (fs::is_regular_file(made, error)) {
            return Relative(candidate, root);
        }
    }
    return std::nullopt;
}

bool Allows(const Layer& layer, const std::string& folder) {
    return folder == layer.folder || std::ranges::find(layer.allowed, folder) != layer.allowed.end();
}

void CheckFile(const fs::path& root, const TreeLayout& layout, const IncludeMap& map, const fs::path& file,
               std::vector<Violation>& found) {
    const std::string path = Relative(file, root);
    const std::optional<Layer> layer = map.LayerOf(path);
    if (!layer) {
        found.push_back({path, 0, "no folder of the include map holds this file"});
        return;
    }
    std::ifstream in(file);
    std::string text;
    int lineNumber = 0;
    while (std::getline(in, text)) {
        ++lineNumber;
        std::smatch include;
        if (!std::regex_search(text, include, kIncludeLine)) {
            continue;
        }
        const std::string name = include[2].str();
        if (include[1].str() == "<") {
            if (std::regex_search(name, kQtHeader) && !layer->mayIncludeQt) {
                found.push_back({path, lineNumber, layer->folder + " may not include Qt's <" + name + ">"});
            }
            continue;
        }
        const std::optional<std::string> target = Resolve(root, layout, file, name);
        if (!target) {
            found.push_back({path, lineNumber, "\"" + name + "\" is not in the tree"});
            continue;
        }
        const std::optional<Layer> targetLayer = map.LayerOf(*target);
        const std::string targetFolder =
            targetLayer ? targetLayer->folder : fs::path(*target).parent_path().string();
        if (!Allows(*layer, targetFolder)) {
            found.push_back({path, lineNumber, layer->folder + " may not include " + *target});
        }
    }
}

} // namespace

std::vector<Violation> CheckTree(const fs::path& givenRoot, const TreeLayout& layout, const IncludeMap& map) {
    // One spelling of every path, so that they read back relative to the root.
    const fs::path root = fs::weakly_canonical(givenRoot);
    std::vector<fs::path> files;
    for (const std::string& folder : layout.scannedFolders) {
        std::error_code error;
        for (fs::recursive_directory_iterator it(root / folder, error), end; !error && it != end;
             it.increment(error)) {
            if (it->is_regular_file() && IsCppFile(it->path())) {
                files.push_back(it->path());
            }
        }
    }
    std::ranges::sort(files);
    std::vector<Violation> found;
    for (const fs::path& file : files) {
        CheckFile(root, layout, map, file, found);
    }
    return found;
}

std::string Describe(const Violation& violation) {
    return violation.file + ":" + std::to_string(violation.line) + ": " + violation.message;
}

} // namespace includecheck
