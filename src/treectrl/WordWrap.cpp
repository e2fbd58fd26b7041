// Word wrap of a row's title.
#include "treectrl/WordWrap.h"

#include <algorithm>
#include <cstdint>

namespace treectrl {
namespace {

constexpr char16_t kWordSeparator = u' ';
constexpr std::u16string_view kSeparator(&kWordSeparator, 1);

/// left + width, held at the largest coordinate: a word of hundreds of thousands of wide characters
/// (a damaged list can hold one) must not wrap around to the left.
std::int32_t RightOf(std::int32_t left, std::int64_t width) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(left + width, INT32_MAX));
}

} // namespace

CRect WrapWords(const CRect& area, std::u16string_view text, CharAdvances& advances, int lineHeight,
                const PlaceWordFn& place) {
    const int separatorWidth = advances.Width(kSeparator);
    CRect pen = area;
    std::u16string wordWithSpace;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == kWordSeparator) {
            ++pos;
            continue;
        }
        std::size_t end = text.find(kWordSeparator, pos);
        if (end == std::u16string_view::npos) {
            end = text.size();
        }
        const std::u16string_view word = text.substr(pos, end - pos);
        pos = end;

        const std::int64_t width = std::int64_t{advances.Width(word)} + separatorWidth;
        pen.right = RightOf(pen.left, width);
        pen.bottom = pen.top + lineHeight;
        const bool overflows = pen.right > area.right;
        const bool lineHasWords = pen.left > area.left;
        if (overflows && lineHasWords) {
            pen.left = area.left;
            pen.top += lineHeight;
            pen.right = RightOf(pen.left, width);
            pen.bottom = pen.top + lineHeight;
        }
        if (place) {
            wordWithSpace.assign(word);
            wordWithSpace.push_back(kWordSeparator);
            place(wordWithSpace, pen);
        }
        pen.left = pen.right;
        pen.right = area.right;
    }
    return pen;
}

} // namespace treectrl
