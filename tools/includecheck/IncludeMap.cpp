// Reading the layering map.
#include "IncludeMap.h"

#include <sstream>
#include <stdexcept>

namespace includecheck {

namespace {

constexpr std::string_view kQtMarker = "<Qt>";

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

std::runtime_error MapError(int lineNumber, const std::string& what) {
    return std::runtime_error("line " + std::to_string(lineNumber) + " of the include map: " + what);
}

bool HoldsPath(std::string_view folder, std::string_view path) {
    return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

} // namespace

IncludeMap IncludeMap::Parse(std::string_view text) {
    IncludeMap map;
    std::istringstream lines{std::string(text)};
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const std::string content = Trimmed(std::string_view(line).substr(0, line.find('#')));
        if (content.empty()) {
            continue;
        }
        const auto colon = content.find(':');
        if (colon == std::string::npos) {
            throw MapError(lineNumber, "\"" + content + "\" has no ':' after the folder");
        }
        Layer layer;
        layer.folder = Trimmed(std::string_view(content).substr(0, colon));
        if (layer.folder.empty()) {
            throw MapError(lineNumber, "no folder before the ':'");
        }
        for (const Layer& known : map.m_layers) {
            if (known.folder == layer.folder) {
                throw MapError(lineNumber, layer.folder + " is named twice");
            }
        }
        std::istringstream words(content.substr(colon + 1));
        std::string word;
        while (words >> word) {
            if (word == kQtMarker) {
                layer.mayIncludeQt = true;
            } else {
                layer.allowed.push_back(word);
            }
        }
        map.m_layers.push_back(std::move(layer));
    }
    return map;
}

std::optional<Layer> IncludeMap::LayerOf(std::string_view path) const {
    const Layer* best = nullptr;
    for (const Layer& layer : m_layers) {
        if (HoldsPath(layer.folder, path) && (best == nullptr || layer.folder.size() > best->folder.size())) {
            best = &layer;
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    return *best;
}

} // namespace includecheck
