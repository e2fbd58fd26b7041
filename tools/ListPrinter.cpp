// Writing a list as an indented tree for people, item by item as the walk reaches them.
#include "ListPrinter.h"

#include "LineWriter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
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

char* PutBytes(char* out, std::string_view bytes) {
    std::memcpy(out, bytes.data(), bytes.size());
    return out + bytes.size();
}

template <class Number> char* PutDecimal(char* out, Number value) {
    return std::to_chars(out, out + kLongestNumber, value).ptr;
}

char* PutIndent(char* out, std::size_t levels) {
    const std::size_t spaces = std::min(levels, kMostIndentLevels) * kIndentPerLevel;
    std::memset(out, ' ', spaces);
    return out + spaces;
}

char* PutImportance(char* out, std::int32_t importance) {
    switch (importance) {
    case TaskItem::kHighImportance:
        return PutBytes(out, "  (high)");
    case TaskItem::kNormalImportance:
        return out;
    case TaskItem::kLowImportance:
        return PutBytes(out, "  (low)");
    default:
        out = PutBytes(out, "  (importance ");
        out = PutDecimal(out, importance);
        *out++ = ')';
        return out;
    }
}

// The most bytes a line takes besides its text's: the deepest indent, "(level N) ", the check box,
// the quantity and its separator, the longest importance label and the line end. Each label is
// well within its room here.
constexpr std::size_t kLongestLabel = 32;
constexpr std::size_t kLongestLineFrame = kMostIndentLevels * kIndentPerLevel + kLongestLabel +
                                          kChecked.size() + kLongestNumber + kQuantitySeparator.size() +
                                          kLongestLabel + 1;

// Notes keep CR LF line breaks; each line of them becomes one printed line.
void WriteNotes(LineWriter& out, std::u16string_view notes, std::size_t indentLevels) {
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
        out.Line(line.size(), [&](char* at) {
            at = PutIndent(at, indentLevels);
            at = PutBytes(at, kNotesPrefix);
            at = EncodeReadable(line, at);
            *at++ = kLineEnd;
            return at;
        });
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

ListPrinter::ListPrinter(TextStreamWriter& out) : m_out(out, kLongestLineFrame) {}

void ListPrinter::Heading(std::u16string_view listName, std::size_t itemCount) {
    m_out.Line(listName.size(), [&](char* at) {
        at = EncodeReadable(listName, at);
        at = PutBytes(at, kHeadingSeparator);
        at = PutBytes(at, FormatItemCount(itemCount));
        *at++ = kLineEnd;
        return at;
    });
}

void ListPrinter::Item(const ItemView& item) {
    const std::size_t depth = item.depth;
    const std::size_t levels = std::min(depth, kDeepestIndentedLevel);
    m_out.Line(item.title.size(), [&](char* at) {
        at = PutIndent(at, levels);
        if (depth > kDeepestIndentedLevel) {
            at = PutBytes(at, "(level ");
            at = PutDecimal(at, depth);
            at = PutBytes(at, ") ");
        }
        at = PutBytes(at, item.checked ? kChecked : kUnchecked);
        at = PutDecimal(at, item.quantity);
        at = PutBytes(at, kQuantitySeparator);
        at = EncodeReadable(item.title, at);
        at = PutImportance(at, item.importance);
        *at++ = kLineEnd;
        return at;
    });
    if (!item.notes.empty()) {
        WriteNotes(m_out, item.notes, levels + 1);
    }
}
