// JSON string literals: a text that needs no escape is copied; the library escapes the rest.
#include "JsonText.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace {

constexpr unsigned char kFirstPrintable = 0x20;

bool NeedsEscape(char byte) {
    return static_cast<unsigned char>(byte) < kFirstPrintable || byte == '"' || byte == '\\';
}

} // namespace

void AppendJsonString(std::string& out, std::string_view utf8) {
    if (std::none_of(utf8.begin(), utf8.end(), NeedsEscape)) {
        out += '"';
        out += utf8;
        out += '"';
        return;
    }
    out += nlohmann::json(std::string(utf8)).dump();
}
