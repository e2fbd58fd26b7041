// Holding a source tree to the layering map: every #include of every C++ file, checked against what
// the including file's folder may include.
#pragma once

#include "IncludeMap.h"

#include <filesystem>
#include <string>
#include <vector>

namespace includecheck {

/// One include a folder may not have (or a file the map does not place).
struct Violation {
    std::string file; ///< relative to the root
    int line = 0;     ///< 1-based; 0 when the whole file is meant
    std::string message;
};

/// Where to look and how to find what a quoted include names.
struct TreeLayout {
    std::vector<std::string> scannedFolders; ///< folders whose C++ files are checked
    /// Folders a quoted include is looked up in after the including file's own folder, in order (the
    /// build's include directories; "." is the root).
    std::vector<std::string> includeRoots;
};

/// Checks every C++ file (.h, .hpp, .cpp, .cc) below the scanned folders of `root`, in path order.
std::vector<Violation> CheckTree(const std::filesystem::path& root, const TreeLayout& layout,
                                 const IncludeMap& map);

/// "file:line: message", as compilers write it, so editors jump to the place.
std::string Describe(const Violation& violation);

} // namespace includecheck
