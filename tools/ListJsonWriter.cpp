// Writing a list as JSON: texts are escaped as the JSON library does; the layout (one item a line)
// is ours.
#include <algorithm>
#include <charconv>

#include "JsonText.h"
#include "ListJson.h"
#include "model/CorvinaDoc.h"
#include "platform/core/TextStream.h"

namespace {

constexpr std::size_t kIndentPerLevel = 2;
// The list's object and its "items" array stand before the top-level items.
constexpr std::size_t kItemsLevel = 1;
constexpr std::size_t kDeepestIndentedLevel = 32;
constexpr std::size_t kSpillBytes = 64 * 1024;
constexpr std::size_t kLongestNumber = 20;

std::string_view ImportanceWord(std::int32_t importance) {
    switch (importance) {
    case TaskItem::kHighImportance:
        return "\"high\"";
    case TaskItem::kNormalImportance:
        return "\"normal\"";
    case TaskItem::kLowImportance:
        return "\"low\"";
    default:
        return {};
    }
}

template <class Number> void AppendDecimal(std::string& out, Number value) {
    char digits[kLongestNumber];
    const char* const end = std::to_chars(digits, digits + kLongestNumber, value).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

} // namespace

JsonListWriter::JsonListWriter(std::u16string_view listName, std::size_t topLevelItems, TextStreamWriter* out)
    : m_stream(out) {
    m_out += "{\n  \"name\": ";
    AppendText(listName);
    m_out += ",\n";
    if (topLevelItems == 0) {
        m_out += "  \"items\": []\n";
        return;
    }
    m_out += "  \"items\": [\n";
    m_itemsLeft.push_back(topLevelItems);
}

void JsonListWriter::AppendText(std::u16string_view text) {
    AppendJsonString(m_out, text);
}

void JsonListWriter::Indent(std::size_t level) {
    m_out.append(kIndentPerLevel * std::min(level, kDeepestIndentedLevel + kItemsLevel + 1), ' ');
}

void JsonListWriter::Item(const ItemView& item) {
    --m_itemsLeft.back();
    Indent(item.depth + kItemsLevel + 1);
    m_out += "{\"title\": ";
    AppendText(item.title);
    m_out += ", \"quantity\": ";
    AppendDecimal(m_out, item.quantity);
    m_out += ", \"importance\": ";
    const std::string_view word = ImportanceWord(item.importance);
    if (word.empty()) {
        AppendDecimal(m_out, item.importance);
    } else {
        m_out += word;
    }
    m_out += ", \"checked\": ";
    m_out += item.checked ? "true" : "false";
    m_out += ", \"notes\": ";
    AppendText(item.notes);
    if (item.children != 0) {
        m_out += ", \"children\": [\n";
        m_itemsLeft.push_back(item.children);
    } else {
        m_out += ", \"children\": []}";
        CloseFinished();
    }
    Spill();
}

void JsonListWriter::CloseFinished() {
    while (!m_itemsLeft.empty() && m_itemsLeft.back() == 0) {
        m_out += '\n';
        m_itemsLeft.pop_back();
        if (m_itemsLeft.empty()) {
            m_out += "  ]\n";
            return;
        }
        // The item whose children these were stands one level above them.
        Indent(m_itemsLeft.size() - 1 + kItemsLevel + 1);
        m_out += "]}";
    }
    m_out += ",\n";
}

void JsonListWriter::Spill() {
    if (m_stream != nullptr && m_out.size() >= kSpillBytes) {
        m_stream->Write(m_out);
        m_out.clear();
    }
}

std::string JsonListWriter::Finish() {
    m_out += "}\n";
    if (m_stream != nullptr) {
        m_stream->Write(m_out);
        m_out.clear();
    }
    return std::move(m_out);
}

std::string FormatListAsJson(const CCorvinaDoc& doc, std::u16string_view listName) {
    JsonListWriter writer(listName, doc.tree.root.ChildCount(), nullptr);
    WalkItems(doc.tree, [&writer](const ItemView& item) { writer.Item(item); });
    return writer.Finish();
}
