// Writing a list as a Markdown task list.
#include "ListMarkdown.h"

#include <algorithm>
#include <cstdint>

#include "ControlPictures.h"
#include "model/CorvinaDoc.h"

namespace {

constexpr std::string_view kHeading = "# ";
constexpr std::string_view kIndentPerLevel = "  ";
constexpr std::string_view kCheckedTask = "- [x]";
constexpr std::string_view kOpenTask = "- [ ]";
constexpr std::string_view kHighMark = " !";
constexpr std::string_view kLowMark = " \u2193";
constexpr std::uint32_t kPlainQuantity = 1;
constexpr std::size_t kDeepestIndentedLevel = 32;
// Characters that would start emphasis, code, links, HTML, strike-through or an entity.
constexpr std::u16string_view kInlinePunctuation = u"\\`*_[]<>~&";
// Characters that start a block (a list, a heading, a quote, a table row, an underline) when they
// begin a line.
constexpr std::u16string_view kBlockStarters = u"-+#>=|";
constexpr std::u16string_view kTab = u"\t";

// The text with Markdown's inline punctuation escaped.
std::u16string InlineEscaped(std::u16string_view text) {
    std::u16string escaped;
    escaped.reserve(text.size());
    for (const char16_t unit : text) {
        if (kInlinePunctuation.find(unit) != std::u16string_view::npos) {
            escaped += u'\\';
        }
        escaped += unit;
    }
    return escaped;
}

// A title or name as Markdown text: punctuation escaped, control characters (tabs aside) as pictures.
std::string Escaped(std::u16string_view text) {
    return WithControlPictures(InlineEscaped(text), kTab);
}

bool IsDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

// A notes line that would begin a block of its own (a list, a heading, an ordered item) gets the
// backslash that keeps it text.
std::u16string WithBlockStartEscaped(std::u16string_view line) {
    std::u16string out(line);
    const std::size_t first = out.find_first_not_of(u' ');
    if (first == std::u16string::npos) {
        return out;
    }
    if (kBlockStarters.find(out[first]) != std::u16string_view::npos) {
        out.insert(first, 1, u'\\');
        return out;
    }
    std::size_t afterDigits = first;
    while (afterDigits < out.size() && IsDigit(out[afterDigits])) {
        ++afterDigits;
    }
    if (afterDigits > first && afterDigits < out.size() &&
        (out[afterDigits] == u'.' || out[afterDigits] == u')')) {
        out.insert(afterDigits, 1, u'\\');
    }
    return out;
}

// Notes keep CR LF line breaks; each line of them is one line of the paragraph.
void AppendNotes(std::string& out, std::u16string_view notes, std::string_view indent) {
    out += '\n';
    std::size_t start = 0;
    while (start <= notes.size()) {
        std::size_t end = std::min(notes.find(u'\n', start), notes.size());
        std::u16string_view line = notes.substr(start, end - start);
        if (end < notes.size() && line.ends_with(u'\r')) {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            out += indent;
            out += WithControlPictures(WithBlockStartEscaped(InlineEscaped(line)), kTab);
        }
        out += '\n';
        start = end + 1;
    }
}

} // namespace

std::string FormatListAsMarkdown(const CCorvinaDoc& doc, std::u16string_view listName) {
    std::string out = std::string(kHeading) + Escaped(listName) + "\n";
    if (doc.tree.Count() != 0) {
        out += '\n';
    }
    std::string indent;
    doc.tree.Walk([&](const TaskNode& node, std::size_t depth) {
        indent.clear();
        for (std::size_t level = 0; level < std::min(depth, kDeepestIndentedLevel); ++level) {
            indent += kIndentPerLevel;
        }
        const TaskItem& item = node.item;
        out += indent;
        out += item.checked ? kCheckedTask : kOpenTask;
        if (depth > kDeepestIndentedLevel) {
            out += " (level " + std::to_string(depth) + ")";
        }
        if (!item.title.empty()) {
            out += ' ';
            out += Escaped(item.title);
        }
        if (item.quantity != kPlainQuantity) {
            out += " (" + std::to_string(item.quantity) + ")";
        }
        if (item.importance == TaskItem::kHighImportance) {
            out += kHighMark;
        } else if (item.importance == TaskItem::kLowImportance) {
            out += kLowMark;
        }
        out += '\n';
        if (!item.notes.empty()) {
            AppendNotes(out, item.notes, indent + std::string(kIndentPerLevel));
        }
    });
    return out;
}
