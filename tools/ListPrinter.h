// The readable form of a list that `corvina-tool show` prints.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CCorvinaDoc;
class TextStreamWriter;

/// Writes the list to `out` as an indented tree, item by item as it walks them: a heading with the
/// list's name and item count, then one line per item ("[x]" when checked, quantity, title,
/// importance when not normal) indented four spaces per level (up to 32 levels; deeper lines say
/// "(level N)" instead), each notes line below its item after "| ". Control characters are shown
/// as their Control Pictures (U+2400 on), never sent to the terminal. Throws `CFileException` when
/// the writer's file refuses the bytes; what was written before stays written.
void WriteListForReading(const CCorvinaDoc& doc, std::u16string_view listName, TextStreamWriter& out);

/// "No items", "1 item" or "<n> items", as the document list shows counts.
std::string FormatItemCount(std::size_t count);
