// The fast parser's pieces walked into records under the same rules the library's events are held
// to, refusing at the first doubt: the records are only kept when the whole text passes.
#include "ListJsonRecords.h"

#include <simdjson.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "ListJsonFields.h"
#include "platform/core/Strings.h"

namespace {

using simdjson::dom::array;
using simdjson::dom::element;
using simdjson::dom::element_type;
using simdjson::dom::object;

/// An array's size as the parser keeps it saturates here; a longer array is counted.
constexpr std::size_t kLargestKeptSize = 0xFFFFFF;

enum class Field : unsigned { Name, Items, Title, Quantity, Importance, Checked, Notes, Children };

unsigned Bit(Field field) {
    return 1u << static_cast<unsigned>(field);
}

// Whether `key` is `name`; the length known here lets the comparison be a few instructions.
template <std::size_t N> bool Is(std::string_view key, const char (&name)[N]) {
    return key.size() == N - 1 && std::memcmp(key.data(), name, N - 1) == 0;
}

std::optional<Field> ItemField(std::string_view key) {
    using namespace list_json;
    if (Is(key, kTitle)) {
        return Field::Title;
    }
    if (Is(key, kQuantity)) {
        return Field::Quantity;
    }
    if (Is(key, kImportance)) {
        return Field::Importance;
    }
    if (Is(key, kChecked)) {
        return Field::Checked;
    }
    if (Is(key, kNotes)) {
        return Field::Notes;
    }
    if (Is(key, kChildren)) {
        return Field::Children;
    }
    return std::nullopt;
}

std::size_t ElementCount(array values) {
    if (values.size() < kLargestKeptSize) {
        return values.size();
    }
    std::size_t count = 0;
    for (const element value : values) {
        static_cast<void>(value);
        ++count;
    }
    return count;
}

// Whether `text` may hold the number -0 anywhere. The fast parser reads it as 0, where the library
// reads a signed number, which is no quantity; a "-0" inside a string cannot be told apart here, so
// it counts too.
bool MayHoldMinusZero(std::string_view text) {
    for (std::size_t at = text.find("-0"); at != std::string_view::npos; at = text.find("-0", at + 1)) {
        const std::size_t next = at + 2;
        const bool numberGoesOn =
            next < text.size() && ((text[next] >= '0' && text[next] <= '9') || text[next] == '.' ||
                                   text[next] == 'e' || text[next] == 'E');
        if (!numberGoesOn) {
            return true;
        }
    }
    return false;
}

class RecordWalker {
public:
    explicit RecordWalker(const std::function<void(const ListRecord&)>& take) : m_take(take) {}

    bool Take(JsonItemBatches::Piece piece, std::string_view text) {
        element root;
        if (m_parser.parse(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), false)
                .get(root) != simdjson::SUCCESS) {
            return false;
        }
        m_text = text;
        m_minusZero.reset();
        if (piece != JsonItemBatches::Piece::Items) {
            return List(root);
        }
        array items;
        return root.get_array().get(items) == simdjson::SUCCESS && Items(items, 1);
    }

private:
    bool List(element list) {
        object fields;
        if (list.get_object().get(fields) != simdjson::SUCCESS) {
            return false;
        }
        unsigned seen = 0;
        for (const simdjson::dom::key_value_pair field : fields) {
            const bool isName = Is(field.key, list_json::kName);
            if (!isName && !Is(field.key, list_json::kItems)) {
                return false;
            }
            const unsigned bit = Bit(isName ? Field::Name : Field::Items);
            if ((seen & bit) != 0) {
                return false;
            }
            seen |= bit;
            array items;
            const bool read =
                isName ? field.value.is_string()
                       : field.value.get_array().get(items) == simdjson::SUCCESS && Items(items, 1);
            if (!read) {
                return false;
            }
        }
        return (seen & Bit(Field::Items)) != 0;
    }

    bool Items(array items, std::size_t depth) {
        for (const element item : items) {
            if (!Item(item, depth)) {
                return false;
            }
        }
        return true;
    }

    bool Item(element item, std::size_t depth) {
        object fields;
        if (item.get_object().get(fields) != simdjson::SUCCESS) {
            return false;
        }
        ListRecord& record = m_record;
        record.depth = depth;
        record.children = 0;
        record.quantity = TaskItem::kDefaultQuantity;
        record.importance = TaskItem::kNormalImportance;
        record.checked = 0;
        unsigned seen = 0;
        array children;
        for (const simdjson::dom::key_value_pair field : fields) {
            const std::optional<Field> known = ItemField(field.key);
            if (!known || (seen & Bit(*known)) != 0) {
                return false;
            }
            seen |= Bit(*known);
            if (!Read(*known, field.value, children)) {
                return false;
            }
        }
        // The texts are kept from the last item until now, so one of the same length is written over.
        if ((seen & Bit(Field::Title)) == 0) {
            record.title.clear();
        }
        if ((seen & Bit(Field::Notes)) == 0) {
            record.notes.clear();
        }
        if ((seen & Bit(Field::Children)) != 0) {
            const std::size_t count = ElementCount(children);
            if (count > std::numeric_limits<std::uint32_t>::max()) {
                return false;
            }
            record.children = static_cast<std::uint32_t>(count);
        }
        m_take(record);
        return record.children == 0 || Items(children, depth + 1);
    }

    bool Read(Field field, element value, array& children) {
        ListRecord& record = m_record;
        switch (field) {
        case Field::Title:
            return Text(value, record.title);
        case Field::Notes:
            return Text(value, record.notes);
        case Field::Quantity: {
            std::int64_t quantity = 0;
            // Only a whole number the parser holds as signed is in range: a larger one it holds as unsigned.
            if (value.get_int64().get(quantity) != simdjson::SUCCESS || quantity < 0 ||
                quantity > std::numeric_limits<std::uint32_t>::max() ||
                (quantity == 0 && MinusZeroMayAppear())) {
                return false;
            }
            record.quantity = static_cast<std::uint32_t>(quantity);
            return true;
        }
        case Field::Importance:
            return Importance(value);
        case Field::Checked: {
            bool checked = false;
            if (value.get_bool().get(checked) != simdjson::SUCCESS) {
                return false;
            }
            record.checked = checked ? 1 : 0;
            return true;
        }
        case Field::Children:
            return value.get_array().get(children) == simdjson::SUCCESS;
        case Field::Name:
        case Field::Items:
            break;
        }
        return false;
    }

    bool Importance(element value) {
        if (value.type() == element_type::INT64) {
            const std::int64_t number = value.get_int64().value_unsafe();
            if (number < std::numeric_limits<std::int32_t>::min() ||
                number > std::numeric_limits<std::int32_t>::max()) {
                return false;
            }
            m_record.importance = static_cast<std::int32_t>(number);
            return true;
        }
        std::string_view word;
        if (value.get_string().get(word) != simdjson::SUCCESS) {
            return false;
        }
        if (Is(word, list_json::kHigh)) {
            m_record.importance = TaskItem::kHighImportance;
        } else if (Is(word, list_json::kNormal)) {
            m_record.importance = TaskItem::kNormalImportance;
        } else if (Is(word, list_json::kLow)) {
            m_record.importance = TaskItem::kLowImportance;
        } else {
            return false;
        }
        return true;
    }

    // The parser hands out valid UTF-8 with every escape undone, as the library does, and the same
    // decoding makes the item's text of it.
    static bool Text(element value, std::u16string& text) {
        std::string_view bytes;
        if (value.get_string().get(bytes) != simdjson::SUCCESS) {
            return false;
        }
        AssignFromUtf8OrCp1252(text, bytes);
        return true;
    }

    bool MinusZeroMayAppear() {
        if (!m_minusZero) {
            m_minusZero = MayHoldMinusZero(m_text);
        }
        return *m_minusZero;
    }

    const std::function<void(const ListRecord&)>& m_take;
    simdjson::dom::parser m_parser;
    ListRecord m_record;
    /// The piece being walked, and whether it may hold a -0 (looked for at the first quantity 0).
    std::string_view m_text;
    std::optional<bool> m_minusZero;
};

} // namespace

bool ReadListRecordsFromJson(const JsonItemBatches::Source& source,
                             const std::function<void(const ListRecord&)>& take, std::size_t blockBytes) {
    RecordWalker walker(take);
    JsonItemBatches batches(source, blockBytes);
    return batches.Read(
        [&walker](JsonItemBatches::Piece piece, std::string_view text) { return walker.Take(piece, text); });
}
