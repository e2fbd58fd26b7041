// corvina-tool add: appends items to a list, creating the list when there is none.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ItemPath.h"
#include "ToolCommands.h"
#include "ToolLists.h"
#include "model/CorvinaDoc.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/Strings.h"

namespace {

constexpr std::string_view kUnderOption = "--under";
constexpr std::string_view kQuantityOption = "--quantity";
constexpr std::string_view kImportanceOption = "--importance";
constexpr std::string_view kNotesOption = "--notes";
constexpr std::string_view kCheckedOption = "--checked";
constexpr std::u16string_view kNotesLineBreak = u"\r\n";

std::uint32_t QuantityFrom(const std::u16string& text) {
    const std::string digits = ToUtf8(text);
    std::uint32_t quantity = 0;
    const bool allDigits = !digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), quantity);
    if (!allDigits || error != std::errc() || end != digits.data() + digits.size()) {
        throw UsageFailure("--quantity takes a whole number from 0 to 4294967295, not \"" + digits + "\"");
    }
    return quantity;
}

std::int32_t ImportanceFrom(const std::u16string& word) {
    if (word == u"high") {
        return TaskItem::kHighImportance;
    }
    if (word == u"normal") {
        return TaskItem::kNormalImportance;
    }
    if (word == u"low") {
        return TaskItem::kLowImportance;
    }
    throw UsageFailure("--importance takes high, normal or low, not \"" + ToUtf8(word) + "\"");
}

// Notes keep their line breaks as CR LF, as the program writes them; a line break typed on the
// command line is a line feed alone.
std::u16string NotesFrom(const std::u16string& text) {
    std::u16string notes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
            notes += kNotesLineBreak;
        } else {
            notes += text[i];
        }
    }
    return notes;
}

// The item every title is added with, from the options.
TaskItem ItemFrom(const ToolArguments& arguments) {
    TaskItem item;
    if (const auto quantity = arguments.Value(kQuantityOption)) {
        item.quantity = QuantityFrom(*quantity);
    }
    if (const auto importance = arguments.Value(kImportanceOption)) {
        item.importance = ImportanceFrom(*importance);
    }
    if (const auto notes = arguments.Value(kNotesOption)) {
        item.notes = NotesFrom(*notes);
    }
    item.checked = arguments.Has(kCheckedOption) ? 1 : 0;
    return item;
}

// One title a line; a line's CR LF ending counts as a line feed, and blank lines are skipped.
std::vector<std::u16string> TitlesFromLines(std::string_view text) {
    std::vector<std::u16string> titles;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            titles.push_back(FromUtf8OrCp1252(line));
        }
        start = end + 1;
    }
    return titles;
}

std::optional<std::vector<std::u16string>> TitlesFrom(const std::u16string& operand) {
    if (operand != kStandardStreamPath) {
        return std::vector<std::u16string>{operand};
    }
    const std::optional<std::string> text = ReadInput(operand);
    if (!text) {
        return std::nullopt;
    }
    std::vector<std::u16string> titles = TitlesFromLines(*text);
    if (titles.empty()) {
        ReportError(u"No titles were given on standard input.");
        return std::nullopt;
    }
    return titles;
}

} // namespace

int RunAdd(const ToolArguments& arguments) {
    const std::u16string& listPath = arguments.Operand(0);
    TaskItem item = ItemFrom(arguments);
    const std::optional<std::vector<std::u16string>> titles = TitlesFrom(arguments.Operand(1));
    if (!titles) {
        return kExitFailure;
    }
    CCorvinaDoc doc;
    if (NothingAt(listPath)) {
        doc.SetPathName(listPath);
    } else if (!LoadList(doc, listPath)) {
        return kExitFailure;
    }
    TaskNode* parent = nullptr;
    if (const auto under = arguments.Value(kUnderOption)) {
        try {
            parent = &FindItem(doc.tree, *under);
        } catch (const ItemPathFailure& failure) {
            ReportError(FromUtf8OrCp1252(failure.what()));
            return kExitFailure;
        }
    }
    for (const std::u16string& title : *titles) {
        item.title = title;
        doc.tree.AddItem(item, parent);
    }
    return SaveList(doc, listPath) ? kExitSuccess : kExitFailure;
}
