// A plain, literal import of tab-separated text: the record steps taken one character at a time
// through the C library's own stream and scanf, with no read-ahead and no shortcut. The program's
// reader, which takes whole records from its read-ahead, must give exactly what this one gives.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Strings.h"

namespace literal_text {

/// One imported item and the level the tree gives it (0 for a top-level item).
struct Item {
    std::size_t level = 0;
    std::u16string title;
    std::int32_t importance = 1;
    std::uint8_t checked = 0;
    std::u16string notes;
    std::uint32_t quantity = 1;

    bool operator==(const Item&) const = default;
};

/// The bytes as a stream in text mode delivers them: every CR LF pair becomes one LF.
inline std::string InTextMode(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') {
            continue;
        }
        text += bytes[at];
    }
    return text;
}

/// ReadField: every character up to the next tab, which is taken; a line feed is kept as CR LF.
/// False when the file ends first.
inline bool ReadField(std::FILE* in, std::string& field) {
    field.clear();
    for (;;) {
        const int c = std::fgetc(in);
        if (c == EOF) {
            return false;
        }
        if (c == '\t') {
            return true;
        }
        if (c == '\n') {
            field += "\r\n";
        } else {
            field += static_cast<char>(c);
        }
    }
}

/// ReadItem, step by step; false as soon as a step fails.
inline bool ReadItem(std::FILE* in, std::uint32_t& depth, Item& item) {
    if (std::fscanf(in, "%u", &depth) != 1) {
        return false;
    }
    std::fgetc(in); // one character forward, whatever it is
    std::string title;
    if (!ReadField(in, title)) {
        return false;
    }
    item.title = FromUtf8OrCp1252(title);
    unsigned importance = 0;
    int checked = 0;
    if (std::fscanf(in, "%u%d", &importance, &checked) != 2) {
        return false;
    }
    const int signedImportance = static_cast<int>(importance);
    item.importance = signedImportance < 0 || signedImportance > 2 ? 1 : signedImportance;
    item.checked = static_cast<std::uint8_t>(checked);
    std::fgetc(in);
    std::string notes;
    if (!ReadField(in, notes)) {
        return false;
    }
    item.notes = FromUtf8OrCp1252(notes);
    if (!item.notes.empty() && item.notes.front() == u'"' && item.notes.back() == u'"') {
        item.notes.erase(item.notes.size() - 1);
        if (!item.notes.empty()) {
            item.notes.erase(0, 1);
        }
    }
    return std::fscanf(in, "%u", &item.quantity) == 1;
}

/// ImportText: each record under the innermost of its ancestors. The stack is counted in 64 bits and
/// never loses the hidden root, so the largest depth nests one level below the item before.
inline std::vector<Item> Import(std::string_view bytes) {
    std::vector<Item> items;
    std::string text = InTextMode(bytes);
    if (text.empty()) {
        return items;
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(::fmemopen(text.data(), text.size(), "r"),
                                                             std::fclose);
    if (!in) {
        return items;
    }
    std::uint64_t stack = 1; // the hidden root
    Item item;
    std::uint32_t depth = 0;
    while (ReadItem(in.get(), depth, item)) {
        while (stack > std::uint64_t{depth} + 1 && stack > 1) {
            --stack;
        }
        item.level = static_cast<std::size_t>(stack - 1);
        items.push_back(item);
        ++stack;
    }
    return items;
}

} // namespace literal_text
