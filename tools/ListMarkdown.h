// A list as a Markdown task list, for reading and sharing (there is no way back).
#pragma once

#include <string>
#include <string_view>

#include "ItemView.h"

class CCorvinaDoc;
class TextStreamWriter;

/// Writes a list as Markdown: a heading with the list's name, a blank line, then one task line per
/// item, "- [x] Title (2) !", indented two spaces per level. The quantity is shown in parentheses
/// when it is not 1; high importance adds " !" and low " ↓". Notes follow their item as a paragraph
/// indented under it, after a blank line, one line of notes a line. Markdown's own punctuation in
/// texts is escaped so it shows as written, tabs stay, and other control characters are shown as
/// their pictures. Items deeper than 32 levels are indented as level 32 and say "(level N)", so the
/// text grows in proportion to the list.
class MarkdownListWriter {
public:
    /// Writes the heading. The text goes to `out` in blocks as it grows, or, without `out`, collects
    /// for `Finish`.
    MarkdownListWriter(std::u16string_view listName, TextStreamWriter* out);

    /// Writes the next item, in pre-order.
    void Item(const ItemView& item);
    /// Hands `out` the rest; without `out`, answers the whole text. Throws `CFileException` when the
    /// file refuses the bytes, as every call that hands some on may.
    std::string Finish();

private:
    void AppendEscaped(std::u16string_view text);
    void AppendNotes(std::u16string_view notes, std::size_t levels);
    void Spill();

    TextStreamWriter* m_stream;
    std::string m_out;
    bool m_anyItem = false;
};

/// The whole list as Markdown, as `MarkdownListWriter` writes it.
std::string FormatListAsMarkdown(const CCorvinaDoc& doc, std::u16string_view listName);
