// The readable form of a list that `corvina-tool show` prints.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ItemView.h"
#include "LineWriter.h"

/// Writes a list as an indented tree, item by item as they come: a heading with the list's name
/// and item count, then one line per item ("[x]" when checked, quantity, title, importance when not
/// normal) indented four spaces per level (up to 32 levels; deeper lines say "(level N)" instead),
/// each notes line below its item after "| ". Control characters are shown as their Control
/// Pictures (U+2400 on), never sent to the terminal. Each call throws `CFileException` when the
/// writer's file refuses the bytes; what was written before stays written.
class ListPrinter {
public:
    explicit ListPrinter(TextStreamWriter& out);

    void Heading(std::u16string_view listName, std::size_t itemCount);
    /// The next item, in pre-order.
    void Item(const ItemView& item);

private:
    LineWriter m_out;
};

/// "No items", "1 item" or "<n> items", as the document list shows counts.
std::string FormatItemCount(std::size_t count);
