// Formatting a list as an indented tree for people.
#include "ListPrinter.h"

#include <algorithm>
#include <string_view>

#include "ControlPictures.h"
#include "model/CorvinaDoc.h"

namespace {

constexpr std::string_view kIndentPerLevel = "    ";
constexpr std::string_view kChecked = "[x] ";
constexpr std::string_view kUnchecked = "[ ] ";
constexpr std::string_view kNotesPrefix = "| ";
constexpr std::string_view kQuantitySeparator = " x ";
// Deeper than this the indentation stops growing and the line names its level instead, so a
// pathologically deep list prints in space proportional to its size.
constexpr std::size_t kDeepestIndentedLevel = 32;

std::string ImportanceLabel(std::int32_t importance) {
    switch (importance) {
    case TaskItem::kHighImportance:
        return "  (high)";
    case TaskItem::kNormalImportance:
        return "";
    case TaskItem::kLowImportance:
        return "  (low)";
    default:
        return "  (importance " + std::to_string(importance) + ")";
    }
}

// Control characters would act on the terminal (a tab jumps, an escape starts a command); each is
// shown as its picture instead, so what is printed is what is stored.
std::string Readable(std::u16string_view text) {
    return WithControlPictures(text);
}

// Notes keep CR LF line breaks; each line of them becomes one printed line.
void AppendNotes(std::string& out, std::u16string_view notes, const std::string& indent) {
    std::size_t start = 0;
    while (start <= notes.size()) {
        std::size_t end = notes.find(u'\n', start);
        if (end == std::u16string_view::npos) {
            end = notes.size();
        }
        std::u16string_view line = notes.substr(start, end - start);
        if (end < notes.size() && !line.empty() && line.back() == u'\r') {
            line.remove_suffix(1);
        }
        out += indent;
        out += kNotesPrefix;
        out += Readable(line);
        out += '\n';
        start = end + 1;
    }
}

} // namespace

std::string FormatItemCount(std::size_t count) {
    if (count == 0) {
        return "No items";
    }
    if (count == 1) {
        return "1 item";
    }
    return std::to_string(count) + " items";
}

std::string FormatListForReading(const CCorvinaDoc& doc, const std::u16string& listName) {
    std::string out = Readable(listName) + ": " + FormatItemCount(doc.tree.Count()) + "\n";
    doc.tree.Walk([&out](const TaskNode& node, std::size_t depth) {
        std::string indent;
        for (std::size_t level = 0; level < std::min(depth, kDeepestIndentedLevel); ++level) {
            indent += kIndentPerLevel;
        }
        const TaskItem& item = node.item;
        out += indent;
        if (depth > kDeepestIndentedLevel) {
            out += "(level " + std::to_string(depth) + ") ";
        }
        out += item.checked ? kChecked : kUnchecked;
        out += std::to_string(item.quantity);
        out += kQuantitySeparator;
        out += Readable(item.title);
        out += ImportanceLabel(item.importance);
        out += '\n';
        if (!item.notes.empty()) {
            AppendNotes(out, item.notes, indent + std::string(kIndentPerLevel));
        }
    });
    return out;
}
