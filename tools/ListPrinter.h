// The readable form of a list that `corvina-tool show` prints.
#pragma once

#include <string>

class CCorvinaDoc;

/// The list as an indented tree: a heading with the list's name and item count, then one line per
/// item ("[x]" when checked, quantity, title, importance when not normal) indented four spaces per
/// level (up to 32 levels; deeper lines say "(level N)" instead), each notes line below its item
/// after "| ". Control characters are shown as their Control Pictures (U+2400 on), never sent to
/// the terminal.
std::string FormatListForReading(const CCorvinaDoc& doc, const std::u16string& listName);

/// "No items", "1 item" or "<n> items", as the document list shows counts.
std::string FormatItemCount(std::size_t count);
