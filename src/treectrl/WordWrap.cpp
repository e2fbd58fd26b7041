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

/// Moves the pen past the next word of `width` pixels (its space included): on the current line when
/// it fits or the line has no word yet, else at the start of the next line.
void PlaceNext(CRect& pen, const CRect& area, std::int64_t width, int lineHeight) {
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
}

/// The wrap when nobody places the words: one pass over the characters, each word's width summed
/// as it is read, so laying out a big list reads each title once.
CRect MeasureWrap(const CRect& area, std::u16string_view text, CharAdvances& advances, int lineHeight,
                  int separatorWidth) {
    CRect pen = area;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == kWordSeparator) {
            ++at;
            continue;
        }
        std::int64_t wordWidth = 0;
        while (at < text.size() && text[at] != kWordSeparator) {
            const CharAdvances::Character character = advances.At(text, at);
            wordWidth += character.advance;
            at += character.units;
        }
        // As CharAdvances::Width holds a word's width to the largest coordinate.
        PlaceNext(pen, area, std::min<std::int64_t>(wordWidth, INT32_MAX) + separatorWidth, lineHeight);
        pen.left = pen.right;
        pen.right = area.right;
    }
    return pen;
}

} // namespace

CRect WrapWords(const CRect& area, std::u16string_view text, CharAdvances& advances, int lineHeight,
                const PlaceWordFn& place) {
    const int separatorWidth = advances.Width(kSeparator);
    if (!place) {
        return MeasureWrap(area, text, advances, lineHeight, separatorWidth);
    }
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

        PlaceNext(pen, area, std::int64_t{advances.Width(word)} + separatorWidth, lineHeight);
        wordWithSpace.assign(word);
        wordWithSpace.push_back(kWordSeparator);
        place(wordWithSpace, pen);
        pen.left = pen.right;
        pen.right = area.right;
    }
    return pen;
}

} // namespace treectrl
