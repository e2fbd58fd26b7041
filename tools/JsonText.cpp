// JSON string literals: a text that needs no escape is copied; the library escapes the rest.
#include "JsonText.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include "platform/core/Strings.h"

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

void AppendJsonString(std::string& out, std::u16string_view text) {
    out += '"';
    const std::size_t start = out.size();
    out.resize(start + text.size() * kMostUtf8BytesPerUnit);
    const char* const end = EncodeUtf8(text, out.data() + start);
    out.resize(static_cast<std::size_t>(end - out.data()));
    if (std::none_of(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), NeedsEscape)) {
        out += '"';
        return;
    }
    const std::string utf8 = out.substr(start);
    out.resize(start - 1);
    AppendJsonString(out, utf8);
}
