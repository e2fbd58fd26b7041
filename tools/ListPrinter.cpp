// Writing a list as an indented tree for people, item by item as the walk reaches them.
#include "ListPrinter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "model/CorvinaDoc.h"
#include "platform/core/Strings.h"
#include "platform/core/TextStream.h"

namespace {

constexpr std::size_t kIndentPerLevel = 4;
constexpr std::string_view kChecked = "[x] ";
constexpr std::string_view kUnchecked = "[ ] ";
constexpr std::string_view kNotesPrefix = "| ";
constexpr std::string_view kQuantitySeparator = " x ";
constexpr std::string_view kHeadingSeparator = ": ";
constexpr char kLineEnd = '\n';
// Deeper than this the indentation stops growing and the line names its level instead, so a
// pathologically deep list prints in space proportional to its size.
constexpr std::size_t kDeepestIndentedLevel = 32;
// Notes stand one level deeper than their item.
constexpr std::size_t kMostIndentLevels = kDeepestIndentedLevel + 1;
// The longest a number printed here can be: a 64-bit depth's twenty digits (a 32-bit importance
// takes eleven with its sign).
constexpr std::size_t kLongestNumber = std::numeric_limits<std::uint64_t>::digits10 + 1;

// Control characters would act on the terminal (a tab jumps, an escape starts a command); each is
// shown as its picture from the Control Pictures block instead, so what is printed is what is stored.
constexpr char16_t kFirstControlPicture = u'\u2400';
constexpr char16_t kDeletePicture = u'\u2421';
constexpr char16_t kFirstPrintable = u' ';
constexpr char16_t kDelete = u'\x7F';

bool IsControl(char16_t unit) {
    return unit < kFirstPrintable || unit == kDelete;
}

char16_t PictureOf(char16_t unit) {
    return unit == kDelete ? kDeletePicture : static_cast<char16_t>(kFirstControlPicture + unit);
}

// Encodes `text` as UTF-8 with each control character as its picture, at `out`, which has room for
// `kMostUtf8BytesPerUnit` bytes a unit (a picture takes exactly that); answers where the bytes end.
// A control character is never half of a surrogate pair, so cutting the text at one keeps pairs whole.
char* EncodeReadable(std::u16string_view text, char* out) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsControl(text[i])) {
            continue;
        }
        out = EncodeUtf8(text.substr(start, i - start), out);
        const char16_t picture = PictureOf(text[i]);
        out = EncodeUtf8(std::u16string_view(&picture, 1), out);
        start = i + 1;
    }
    return EncodeUtf8(text.substr(start), out);
}

// Puts the pieces of the readable form into the writer's block, encoding texts straight into it.
class ReadableWriter {
public:
    explicit ReadableWriter(TextStreamWriter& out) : m_out(out) {}

    void Bytes(std::string_view bytes) { m_out.Write(bytes); }
    void Byte(char byte) { m_out.Write(std::string_view(&byte, 1)); }

    void Text(std::u16string_view text) {
        // A text that fits the writer's block is encoded into it; a longer one (pages of notes) is
        // encoded apart first.
        const std::size_t longest = text.size() * kMostUtf8BytesPerUnit;
        if (longest <= TextStreamWriter::kBlockSize) {
            char* const start = m_out.Claim(longest);
            m_out.Commit(static_cast<std::size_t>(EncodeReadable(text, start) - start));
            return;
        }
        m_scratch.resize(longest);
        const char* const end = EncodeReadable(text, m_scratch.data());
        m_out.Write(std::string_view(m_scratch.data(), static_cast<std::size_t>(end - m_scratch.data())));
    }

    template <class Number> void Decimal(Number value) {
        char digits[kLongestNumber];
        const char* const end = std::to_chars(digits, digits + kLongestNumber, value).ptr;
        m_out.Write(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }

    void Indent(std::size_t levels) {
        static const std::string spaces(kMostIndentLevels * kIndentPerLevel, ' ');
        m_out.Write(
            std::string_view(spaces).substr(0, std::min(levels, kMostIndentLevels) * kIndentPerLevel));
    }

private:
    TextStreamWriter& m_out;
    std::string m_scratch; // reused for every text too long for the block
};

void WriteImportance(ReadableWriter& out, std::int32_t importance) {
    switch (importance) {
    case TaskItem::kHighImportance:
        out.Bytes("  (high)");
        return;
    case TaskItem::kNormalImportance:
        return;
    case TaskItem::kLowImportance:
        out.Bytes("  (low)");
        return;
    default:
        out.Bytes("  (importance ");
        out.Decimal(importance);
        out.Byte(')');
    }
}

// Notes keep CR LF line breaks; each line of them becomes one printed line.
void WriteNotes(ReadableWriter& out, std::u16string_view notes, std::size_t indentLevels) {
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
        out.Indent(indentLevels);
        out.Bytes(kNotesPrefix);
        out.Text(line);
        out.Byte(kLineEnd);
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

void WriteListForReading(const CCorvinaDoc& doc, std::u16string_view listName, TextStreamWriter& writer) {
    ReadableWriter out(writer);
    out.Text(listName);
    out.Bytes(kHeadingSeparator);
    out.Bytes(FormatItemCount(doc.tree.Count()));
    out.Byte(kLineEnd);
    doc.tree.Walk([&out](const TaskNode& node, std::size_t depth) {
        const std::size_t levels = std::min(depth, kDeepestIndentedLevel);
        const TaskItem& item = node.item;
        out.Indent(levels);
        if (depth > kDeepestIndentedLevel) {
            out.Bytes("(level ");
            out.Decimal(depth);
            out.Bytes(") ");
        }
        out.Bytes(item.checked ? kChecked : kUnchecked);
        out.Decimal(item.quantity);
        out.Bytes(kQuantitySeparator);
        out.Text(item.title);
        WriteImportance(out, item.importance);
        out.Byte(kLineEnd);
        if (!item.notes.empty()) {
            WriteNotes(out, item.notes, levels + 1);
        }
    });
}
