// Fuzzes importing tab-separated text: the import must give exactly what the literal reader of the
// tests gives (one character at a time, no read-ahead), and the imported list must export and import
// back to the same tree whenever its fields can be carried by the text form (no tabs or line breaks
// of their own, no notes that already look quoted).
#include <cstdlib>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "model/CorvinaDoc.h"
#include "support/LiteralTextImport.h"
#include "textio/DocumentText.h"
#include "textio/TextFile.h"

namespace {

bool FieldTravels(std::u16string_view field) {
    return field.find_first_of(u"\t\r\n") == std::u16string_view::npos;
}

bool LooksQuoted(std::u16string_view notes) {
    return !notes.empty() && notes.front() == u'"' && notes.back() == u'"';
}

bool ListTravels(const CCorvinaDoc& doc) {
    bool travels = true;
    doc.tree.Walk([&](const TaskNode& node, std::size_t) {
        travels = travels && FieldTravels(node.item.title) && FieldTravels(node.item.notes) &&
                  !LooksQuoted(node.item.notes);
    });
    return travels;
}

std::vector<std::pair<std::size_t, TaskItem>> Flatten(const CCorvinaDoc& doc) {
    std::vector<std::pair<std::size_t, TaskItem>> items;
    doc.tree.Walk([&](const TaskNode& node, std::size_t depth) { items.emplace_back(depth, node.item); });
    return items;
}

std::vector<literal_text::Item> FlattenLikeTheLiteralReader(const CCorvinaDoc& doc) {
    std::vector<literal_text::Item> items;
    doc.tree.Walk([&](const TaskNode& node, std::size_t level) {
        items.push_back({level, node.item.title.str(), node.item.importance, node.item.checked,
                         node.item.notes.str(), node.item.quantity});
    });
    return items;
}

void Import(CCorvinaDoc& doc, const std::u16string& path) {
    TextFile in(path, "r");
    ImportText(doc, in);
    in.Close();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SilenceErrorReports();
    const MemoryFile input(data, size);
    CCorvinaDoc doc;
    Import(doc, input.Path());
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (FlattenLikeTheLiteralReader(doc) != literal_text::Import(bytes)) {
        std::abort();
    }
    const MemoryFile output;
    {
        TextFile out{CFile(output.Descriptor(), u"exported", false), "w"};
        ExportText(doc, out);
        if (!out.Close()) {
            std::abort();
        }
    }
    if (!ListTravels(doc)) {
        return 0;
    }
    CCorvinaDoc again;
    Import(again, output.Path());
    if (Flatten(again) != Flatten(doc)) {
        std::abort();
    }
    return 0;
}
