// Writing a list as JSON: texts are escaped as the JSON library does; the layout (one item a line)
// is ours.
#include <algorithm>

#include "JsonText.h"
#include "ListJson.h"
#include "model/CorvinaDoc.h"
#include "platform/core/Strings.h"

namespace {

constexpr std::size_t kIndentPerLevel = 2;
// The list's object and its "items" array stand before the top-level items.
constexpr std::size_t kItemsLevel = 1;
constexpr std::size_t kDeepestIndentedLevel = 32;

std::string ImportanceValue(std::int32_t importance) {
    switch (importance) {
    case TaskItem::kHighImportance:
        return "\"high\"";
    case TaskItem::kNormalImportance:
        return "\"normal\"";
    case TaskItem::kLowImportance:
        return "\"low\"";
    default:
        return std::to_string(importance);
    }
}

class JsonListWriter {
public:
    void AppendText(std::u16string_view text) {
        m_utf8.clear();
        AppendUtf8(m_utf8, text);
        AppendJsonString(m_out, m_utf8);
    }

    void Indent(std::size_t level) {
        m_out.append(kIndentPerLevel * std::min(level, kDeepestIndentedLevel + kItemsLevel + 1), ' ');
    }

    void AppendFields(const TaskItem& item) {
        m_out += "{\"title\": ";
        AppendText(item.title);
        m_out += ", \"quantity\": ";
        m_out += std::to_string(item.quantity);
        m_out += ", \"importance\": ";
        m_out += ImportanceValue(item.importance);
        m_out += ", \"checked\": ";
        m_out += item.checked ? "true" : "false";
        m_out += ", \"notes\": ";
        AppendText(item.notes);
    }

    // Walks down and back up the links, so a list of any depth needs no stack.
    void AppendItems(const TaskNode& root) {
        const TaskNode* node = root.firstChild;
        if (node == nullptr) {
            m_out += "  \"items\": []\n";
            return;
        }
        m_out += "  \"items\": [\n";
        std::size_t depth = 0;
        for (;;) {
            Indent(depth + kItemsLevel + 1);
            AppendFields(node->item);
            if (node->firstChild != nullptr) {
                m_out += ", \"children\": [\n";
                node = node->firstChild;
                ++depth;
                continue;
            }
            m_out += ", \"children\": []}";
            while (node->nextSibling == nullptr) {
                m_out += '\n';
                node = node->parent;
                if (node == &root) {
                    m_out += "  ]\n";
                    return;
                }
                --depth;
                Indent(depth + kItemsLevel + 1);
                m_out += "]}";
            }
            m_out += ",\n";
            node = node->nextSibling;
        }
    }

    std::string Take() { return std::move(m_out); }
    std::string& Out() { return m_out; }

private:
    std::string m_out;
    std::string m_utf8;
};

} // namespace

std::string FormatListAsJson(const CCorvinaDoc& doc, std::u16string_view listName) {
    JsonListWriter writer;
    writer.Out() += "{\n  \"name\": ";
    writer.AppendText(listName);
    writer.Out() += ",\n";
    writer.AppendItems(doc.tree.root);
    writer.Out() += "}\n";
    return writer.Take();
}
