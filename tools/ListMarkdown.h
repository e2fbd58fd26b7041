// A list as a Markdown task list, for reading and sharing (there is no way back).
#pragma once

#include <string>
#include <string_view>

class CCorvinaDoc;

/// The list as Markdown: a heading with `listName`, a blank line, then one task line per item,
/// "- [x] Title (2) !", indented two spaces per level. The quantity is shown in parentheses when
/// it is not 1; high importance adds " !" and low " ↓". Notes follow their item as a paragraph
/// indented under it, after a blank line, one line of notes a line. Markdown's own punctuation in
/// texts is escaped so it shows as written, tabs stay, and other control characters are shown as
/// their pictures. Items deeper than 32 levels are indented as level 32 and say "(level N)", so
/// the text grows in proportion to the list.
std::string FormatListAsMarkdown(const CCorvinaDoc& doc, std::u16string_view listName);
