// Writing a list as a Markdown task list. Texts that need no escape (nearly all) are encoded straight
// into the output; the rest take the escaping path.
#include "ListMarkdown.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

#include "ControlPictures.h"
#include "model/CorvinaDoc.h"
#include "platform/core/Strings.h"
#include "platform/core/TextStream.h"

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
constexpr char16_t kFirstPrintable = u' ';
constexpr char16_t kDelete = u'\x7F';
// Collected text goes on to the file in blocks of about this size.
constexpr std::size_t kSpillBytes = 64 * 1024;
constexpr std::size_t kLongestNumber = 20;

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

bool IsDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

// The ASCII units that keep a text from going out exactly as UTF-8: control characters and the
// inline punctuation.
constexpr std::size_t kAsciiUnits = 0x80;
constexpr std::array<bool, kAsciiUnits> kNeedsEscapeTable = [] {
    std::array<bool, kAsciiUnits> table{};
    for (char16_t unit = 0; unit < kFirstPrintable; ++unit) {
        table[unit] = true;
    }
    table[kDelete] = true;
    for (const char16_t unit : kInlinePunctuation) {
        table[unit] = true;
    }
    return table;
}();

// Whether `text` goes out exactly as UTF-8: no punctuation to escape, no control character.
bool IsPlain(std::u16string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char16_t unit) { return unit < kAsciiUnits && kNeedsEscapeTable[unit]; });
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

// Whether a plain notes line could begin a block: its first character after spaces starts one, or
// is a digit (which might begin an ordered item).
bool MayStartBlock(std::u16string_view line) {
    const std::size_t first = line.find_first_not_of(u' ');
    return first != std::u16string_view::npos &&
           (kBlockStarters.find(line[first]) != std::u16string_view::npos || IsDigit(line[first]));
}

void AppendUtf8Fast(std::string& out, std::u16string_view text) {
    const std::size_t start = out.size();
    out.resize(start + text.size() * kMostUtf8BytesPerUnit);
    char* const end = EncodeUtf8(text, out.data() + start);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

template <class Number> void AppendDecimal(std::string& out, Number value) {
    char digits[kLongestNumber];
    const char* const end = std::to_chars(digits, digits + kLongestNumber, value).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

void AppendIndent(std::string& out, std::size_t levels) {
    out.append(std::min(levels, kDeepestIndentedLevel + 1) * kIndentPerLevel.size(), ' ');
}

} // namespace

MarkdownListWriter::MarkdownListWriter(std::u16string_view listName, TextStreamWriter* out) : m_stream(out) {
    m_out += kHeading;
    AppendEscaped(listName);
    m_out += '\n';
}

void MarkdownListWriter::AppendEscaped(std::u16string_view text) {
    if (IsPlain(text)) {
        AppendUtf8Fast(m_out, text);
        return;
    }
    m_out += WithControlPictures(InlineEscaped(text), kTab);
}

void MarkdownListWriter::Item(const ItemView& item) {
    if (!m_anyItem) {
        m_out += '\n';
        m_anyItem = true;
    }
    const std::size_t levels = std::min(item.depth, kDeepestIndentedLevel);
    AppendIndent(m_out, levels);
    m_out += item.checked ? kCheckedTask : kOpenTask;
    if (item.depth > kDeepestIndentedLevel) {
        m_out += " (level ";
        AppendDecimal(m_out, item.depth);
        m_out += ')';
    }
    if (!item.title.empty()) {
        m_out += ' ';
        AppendEscaped(item.title);
    }
    if (item.quantity != kPlainQuantity) {
        m_out += " (";
        AppendDecimal(m_out, item.quantity);
        m_out += ')';
    }
    if (item.importance == TaskItem::kHighImportance) {
        m_out += kHighMark;
    } else if (item.importance == TaskItem::kLowImportance) {
        m_out += kLowMark;
    }
    m_out += '\n';
    if (!item.notes.empty()) {
        AppendNotes(item.notes, levels + 1);
    }
    Spill();
}

// Notes keep CR LF line breaks; each line of them is one line of the paragraph.
void MarkdownListWriter::AppendNotes(std::u16string_view notes, std::size_t levels) {
    m_out += '\n';
    std::size_t start = 0;
    while (start <= notes.size()) {
        const std::size_t end = std::min(notes.find(u'\n', start), notes.size());
        std::u16string_view line = notes.substr(start, end - start);
        if (end < notes.size() && line.ends_with(u'\r')) {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            AppendIndent(m_out, levels);
            if (IsPlain(line) && !MayStartBlock(line)) {
                AppendUtf8Fast(m_out, line);
            } else {
                m_out += WithControlPictures(WithBlockStartEscaped(InlineEscaped(line)), kTab);
            }
        }
        m_out += '\n';
        start = end + 1;
    }
}

void MarkdownListWriter::Spill() {
    if (m_stream != nullptr && m_out.size() >= kSpillBytes) {
        m_stream->Write(m_out);
        m_out.clear();
    }
}

std::string MarkdownListWriter::Finish() {
    if (m_stream != nullptr) {
        m_stream->Write(m_out);
        m_out.clear();
    }
    return std::move(m_out);
}

std::string FormatListAsMarkdown(const CCorvinaDoc& doc, std::u16string_view listName) {
    MarkdownListWriter writer(listName, nullptr);
    WalkItems(doc.tree, [&writer](const ItemView& item) { writer.Item(item); });
    return writer.Finish();
}
