// Generated lists whose every field takes its edge values, for checking writers against the plain
// form of their rules.
#pragma once

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "model/CorvinaDoc.h"

/// A text of up to `longest` units: control characters, Markdown and JSON punctuation, digits and
/// block starters at line starts, Latin-1, CJK, pairs and unpaired surrogates, CR LF breaks.
inline std::u16string EdgeText(std::mt19937& random, std::size_t longest) {
    static const std::u16string kPieces[] = {
        u"\t", u"\r\n", u"\x1B",   u"\x7F",   u"\"",         u"\\",     u"*",           u"- ",      u"12. ",
        u"# ", u"  ",   u"\u00e9", u"\u4e2d", u"\U0001F600", u"\xD800", u"plain words", u"&<>`_[]~"};
    std::u16string text;
    const std::size_t pieces = random() % (longest + 1);
    for (std::size_t i = 0; i < pieces; ++i) {
        text += random() % 2 == 0 ? u"word" : kPieces[random() % std::size(kPieces)];
    }
    return text;
}

/// A list of `items` items at any depth, with every edge value of quantity, importance and flag.
inline void FillEdgeList(CCorvinaDoc& doc, std::mt19937& random, int items) {
    const std::vector<std::uint32_t> quantities{0, 1, 2, 4294967295u};
    const std::vector<std::int32_t> importances{
        0, 1, 2, -1, 3, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    std::vector<TaskNode*> nodes{nullptr};
    for (int i = 0; i < items; ++i) {
        TaskItem item;
        item.title = EdgeText(random, 6);
        item.notes = random() % 2 == 0 ? std::u16string() : EdgeText(random, 10);
        item.quantity = quantities[random() % quantities.size()];
        item.importance = importances[random() % importances.size()];
        item.checked = static_cast<std::uint8_t>(random() % 2);
        nodes.push_back(doc.tree.AddItem(item, nodes[random() % nodes.size()]));
    }
}
