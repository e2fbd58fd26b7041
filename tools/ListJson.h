// A list as JSON and back: the one form besides the list file that carries every field as it is.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ItemView.h"

class CCorvinaDoc;
class CFile;
class TextStreamWriter;

/// JSON that is not a list: the message says where (a line and column for broken JSON, the item
/// for a field of the wrong kind, as "item 2.1" for the first child of the second item).
class JsonListFailure : public std::runtime_error {
public:
    explicit JsonListFailure(const std::string& reason) : std::runtime_error(reason) {}
};

/// Writes a list as a JSON object {"name": ..., "items": [...]}, each item an object with "title",
/// "quantity", "importance" (the word "high", "normal" or "low", any other value as its number),
/// "checked" (a boolean), "notes" and "children" (an array of items), one item a line. Texts are
/// written as UTF-8 with the JSON library's escapes; an unpaired surrogate, which UTF-8 cannot
/// carry, becomes U+FFFD. Indentation stops growing below 32 levels, so the text stays in
/// proportion to the list.
class JsonListWriter {
public:
    /// Writes the start, for a list of `topLevelItems`. The text goes to `out` in blocks as it
    /// grows, or, without `out`, collects for `Finish`.
    JsonListWriter(std::u16string_view listName, std::size_t topLevelItems, TextStreamWriter* out);

    /// Writes the next item, in pre-order; its children, as many as it says, follow it.
    void Item(const ItemView& item);
    /// Writes the end and hands `out` the rest; without `out`, answers the whole text. Throws
    /// `CFileException` when the file refuses the bytes, as every call that hands some on may.
    std::string Finish();

private:
    void AppendText(std::u16string_view text);
    void Indent(std::size_t level);
    /// Closes the arrays whose items are all written.
    void CloseFinished();
    void Spill();

    TextStreamWriter* m_stream;
    std::string m_out;
    /// The items still to come in each open array, the list's own first.
    std::vector<std::size_t> m_itemsLeft;
};

/// The whole list as JSON, as `JsonListWriter` writes it.
std::string FormatListAsJson(const CCorvinaDoc& doc, std::u16string_view listName);

/// Appends the items of `json` (what `FormatListAsJson` writes) to `doc`'s tree. A missing field
/// takes the item's default; an unknown or repeated field, or a value of the wrong kind, is a
/// failure, so nothing in the file is silently dropped. Nesting is limited only by memory. Throws
/// `JsonListFailure`; the tree then holds whatever was read before it.
void ReadListFromJson(std::string_view json, CCorvinaDoc& doc);
/// The same for the JSON that `file` holds from its position on, read a block at a time; the
/// file's own failures pass through as `CFileException`.
void ReadListFromJson(CFile& file, CCorvinaDoc& doc);
