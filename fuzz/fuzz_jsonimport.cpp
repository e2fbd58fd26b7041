// Fuzzes reading a list from JSON, and checks that whatever reads writes back as JSON that reads to
// the same tree (JSON texts are UTF-8, so every text read can be written again as it is).
#include <cstdlib>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "model/CorvinaDoc.h"
#include "tools/ListJson.h"
#include "tools/ListMarkdown.h"

namespace {

std::vector<std::pair<std::size_t, TaskItem>> Flatten(const CCorvinaDoc& doc) {
    std::vector<std::pair<std::size_t, TaskItem>> items;
    doc.tree.Walk([&](const TaskNode& node, std::size_t depth) { items.emplace_back(depth, node.item); });
    return items;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SilenceErrorReports();
    CCorvinaDoc doc;
    try {
        ReadListFromJson(std::string_view(reinterpret_cast<const char*>(data), size), doc);
    } catch (const JsonListFailure&) {
        return 0;
    }
    FormatListAsMarkdown(doc, u"Fuzzed");
    CCorvinaDoc again;
    ReadListFromJson(FormatListAsJson(doc, u"Fuzzed"), again);
    if (Flatten(again) != Flatten(doc)) {
        std::abort();
    }
    return 0;
}
