// The layering map: which folders the files of each folder may include, read from a small text file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace includecheck {

/// One folder of the map and what its files may include besides the folder itself.
struct Layer {
    std::string folder;               ///< relative to the tree's root, with forward slashes
    std::vector<std::string> allowed; ///< folders whose files it may include
    bool mayIncludeQt = false;        ///< it may include Qt's headers ("<Qt>" in the map)
};

/// Every folder named in the map.
class IncludeMap {
public:
    /// Reads the map's text: one "folder: allowed folders..." a line, '#' starts a comment. Throws
    /// std::runtime_error naming the line when a line is not of that form or names a folder twice.
    static IncludeMap Parse(std::string_view text);

    /// The layer that holds `path` (relative to the root): the longest folder named in the map that
    /// is `path` or one of its parents; none when no folder of the map holds it.
    std::optional<Layer> LayerOf(std::string_view path) const;

private:
    std::vector<Layer> m_layers;
};

} // namespace includecheck
