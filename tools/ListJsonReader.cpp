// Reading a list from JSON: the library parses, and its events build the tree as they come, with a
// stack of our own, so neither the size nor the depth of a file is held twice or on the call stack.
#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

#include "ListJson.h"
#include "ListJsonFields.h"
#include "model/CorvinaDoc.h"
#include "platform/core/File.h"
#include "platform/core/Strings.h"

namespace {

using Json = nlohmann::json;

enum class Field { Name, Items, Title, Quantity, Importance, Checked, Notes, Children };

struct FieldRule {
    std::string_view key;
    Field field;
    bool ofItem; ///< a field of an item (else of the list's own object)
    std::string_view expected;
};

constexpr std::string_view kText = "a text";
constexpr std::string_view kItemArray = "an array of items";

constexpr std::array kFieldRules{
    FieldRule{list_json::kName, Field::Name, false, kText},
    FieldRule{list_json::kItems, Field::Items, false, kItemArray},
    FieldRule{list_json::kTitle, Field::Title, true, kText},
    FieldRule{list_json::kQuantity, Field::Quantity, true, "a whole number from 0 to 4294967295"},
    FieldRule{list_json::kImportance, Field::Importance, true,
              "\"high\", \"normal\", \"low\" or a whole number from -2147483648 to 2147483647"},
    FieldRule{list_json::kChecked, Field::Checked, true, "true or false"},
    FieldRule{list_json::kNotes, Field::Notes, true, kText},
    FieldRule{list_json::kChildren, Field::Children, true, kItemArray},
};

using list_json::kImportanceWords;

const FieldRule& RuleOf(Field field) {
    return kFieldRules[static_cast<std::size_t>(field)];
}

class ListBuilder : public nlohmann::json_sax<Json> {
public:
    explicit ListBuilder(CCorvinaDoc& doc) : m_doc(doc) {}

    const std::string& Failure() const { return m_failure; }

    bool null() override { return WrongKind(); }
    bool boolean(bool value) override {
        if (m_pending != Field::Checked) {
            return WrongKind();
        }
        Top().node->item.checked = value ? 1 : 0;
        return Taken();
    }
    bool number_integer(number_integer_t value) override {
        constexpr auto kLowest = std::numeric_limits<std::int32_t>::min();
        if (m_pending != Field::Importance || value < kLowest) {
            return WrongKind();
        }
        Top().node->item.importance = static_cast<std::int32_t>(value);
        return Taken();
    }
    bool number_unsigned(number_unsigned_t value) override {
        if (m_pending == Field::Quantity && value <= std::numeric_limits<std::uint32_t>::max()) {
            Top().node->item.quantity = static_cast<std::uint32_t>(value);
            return Taken();
        }
        if (m_pending == Field::Importance && value <= std::numeric_limits<std::int32_t>::max()) {
            Top().node->item.importance = static_cast<std::int32_t>(value);
            return Taken();
        }
        return WrongKind();
    }
    bool number_float(number_float_t, const string_t&) override { return WrongKind(); }
    bool binary(binary_t&) override { return WrongKind(); }

    bool string(string_t& value) override {
        switch (m_pending.value_or(Field::Items)) {
        case Field::Name:
            return Taken();
        case Field::Title:
            AssignFromUtf8OrCp1252(m_text, value);
            Top().node->item.title.AssignInArena(m_doc.tree.Texts(), m_text);
            return Taken();
        case Field::Notes:
            AssignFromUtf8OrCp1252(m_text, value);
            Top().node->item.notes.AssignInArena(m_doc.tree.Texts(), m_text);
            return Taken();
        case Field::Importance:
            for (const auto& [word, importance] : kImportanceWords) {
                if (value == word) {
                    Top().node->item.importance = importance;
                    return Taken();
                }
            }
            return WrongKind();
        default:
            return WrongKind();
        }
    }

    bool start_object(std::size_t) override {
        if (m_open.empty()) {
            m_open.push_back({Level::List, nullptr});
            return true;
        }
        if (m_pending || Top().level != Level::ItemArray) {
            return WrongKind();
        }
        Open& items = Top();
        ++items.count;
        TaskNode* const node = m_doc.tree.Append(TaskItem{}, items.node);
        m_open.push_back({Level::Item, node});
        return true;
    }
    bool key(string_t& name) override {
        const bool ofItem = Top().level == Level::Item;
        for (const FieldRule& rule : kFieldRules) {
            if (rule.key != name || rule.ofItem != ofItem) {
                continue;
            }
            const unsigned bit = 1u << static_cast<unsigned>(rule.field);
            if ((Top().seen & bit) != 0) {
                return Fail("\"" + name + "\" is given twice");
            }
            Top().seen |= bit;
            m_pending = rule.field;
            return true;
        }
        return Fail("unknown field \"" + name + "\"");
    }
    bool end_object() override {
        const Open closed = Top();
        if (closed.level == Level::List && (closed.seen & (1u << static_cast<unsigned>(Field::Items))) == 0) {
            return Fail("the list has no \"items\"");
        }
        m_open.pop_back();
        return true;
    }
    bool start_array(std::size_t) override {
        if (m_pending != Field::Items && m_pending != Field::Children) {
            return WrongKind();
        }
        TaskNode* const parent = m_pending == Field::Children ? Top().node : &m_doc.tree.root;
        m_pending.reset();
        m_open.push_back({Level::ItemArray, parent});
        return true;
    }
    bool end_array() override {
        m_open.pop_back();
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& failure) override {
        // The library's message says where ("parse error at line 3, column 7: ..."); its id is ours
        // to leave out.
        const std::string_view message = failure.what();
        const std::size_t idEnd = message.find("] ");
        m_failure = std::string(idEnd == std::string_view::npos ? message : message.substr(idEnd + 2));
        return false;
    }

private:
    enum class Level { List, ItemArray, Item };
    struct Open {
        Level level;
        TaskNode* node;        ///< the item (Item), or the parent of the items (ItemArray)
        unsigned seen = 0;     ///< the fields given so far, one bit each (List, Item)
        std::size_t count = 0; ///< the items begun so far (ItemArray)
    };

    Open& Top() { return m_open.back(); }

    bool Taken() {
        m_pending.reset();
        return true;
    }

    // "item 2.1": where the innermost open item lies, counted from 1 at each level.
    std::string Place() const {
        std::string place;
        for (const Open& open : m_open) {
            if (open.level == Level::ItemArray && open.count > 0) {
                place += (place.empty() ? "item " : ".") + std::to_string(open.count);
            }
        }
        return place;
    }

    bool Fail(const std::string& reason) {
        const std::string place = Place();
        m_failure = place.empty() ? reason : place + ": " + reason;
        return false;
    }

    bool WrongKind() {
        if (m_open.empty()) {
            return Fail("a list is an object with \"name\" and \"items\"");
        }
        if (!m_pending) {
            // A value in an array of items that is not an object: name the place it would take.
            ++Top().count;
            return Fail("an item must be an object");
        }
        const FieldRule& rule = RuleOf(*m_pending);
        return Fail("\"" + std::string(rule.key) + "\" must be " + std::string(rule.expected));
    }

    CCorvinaDoc& m_doc;
    std::vector<Open> m_open;
    std::optional<Field> m_pending;
    std::string m_failure;
    /// A text being decoded, reused from field to field.
    std::u16string m_text;
};

/// A file's bytes read a block at a time, for the parser to take one by one: a file of any size is
/// never held whole.
class FileBlocks {
public:
    static constexpr std::size_t kBlockBytes = 64 * 1024;

    explicit FileBlocks(CFile& file) : m_file(file), m_block(kBlockBytes) {}

    /// Whether every byte is taken; reads the next block when the last is used up.
    bool Ended() {
        if (m_at < m_filled) {
            return false;
        }
        m_at = 0;
        m_filled = m_file.Read(m_block.data(), m_block.size());
        return m_filled == 0;
    }
    char Current() const { return m_block[m_at]; }
    void Advance() { ++m_at; }

private:
    CFile& m_file;
    std::vector<char> m_block;
    std::size_t m_at = 0;
    std::size_t m_filled = 0;
};

/// An input iterator over `FileBlocks`, compared only with the end (the default one).
class FileByteIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = char;

    FileByteIterator() = default;
    explicit FileByteIterator(FileBlocks& blocks) : m_blocks(&blocks) {}

    char operator*() const { return m_blocks->Current(); }
    FileByteIterator& operator++() {
        m_blocks->Advance();
        return *this;
    }
    FileByteIterator operator++(int) {
        FileByteIterator before = *this;
        m_blocks->Advance();
        return before;
    }
    bool operator==(const FileByteIterator& other) const { return AtEnd() == other.AtEnd(); }

private:
    bool AtEnd() const { return m_blocks == nullptr || m_blocks->Ended(); }

    FileBlocks* m_blocks = nullptr;
};

template <class Iterator> void BuildList(Iterator first, Iterator last, CCorvinaDoc& doc) {
    ListBuilder builder(doc);
    if (!Json::sax_parse(first, last, &builder)) {
        throw JsonListFailure(builder.Failure());
    }
}

} // namespace

void ReadListFromJson(std::string_view json, CCorvinaDoc& doc) {
    BuildList(json.begin(), json.end(), doc);
}

void ReadListFromJson(CFile& file, CCorvinaDoc& doc) {
    FileBlocks blocks(file);
    BuildList(FileByteIterator(blocks), FileByteIterator(), doc);
}
