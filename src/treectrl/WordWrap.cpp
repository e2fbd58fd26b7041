// Word wrap of a row's title.
#include "treectrl/WordWrap.h"

namespace treectrl {
namespace {

constexpr char16_t kWordSeparator = u' ';

} // namespace

CRect WrapWords(const CRect& area, std::u16string_view text, ILineMeasure& measure,
                const PlaceWordFn& place) {
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
        wordWithSpace.assign(text.substr(pos, end - pos));
        wordWithSpace.push_back(kWordSeparator);
        pos = end;

        CSize extent = measure.MeasureLine(wordWithSpace);
        pen.right = pen.left + extent.cx;
        pen.bottom = pen.top + extent.cy;
        const bool overflows = pen.right > area.right;
        const bool lineHasWords = pen.left > area.left;
        if (overflows && lineHasWords) {
            // The same word on a fresh line measures the same, so its extent is reused.
            pen.left = area.left;
            pen.top += extent.cy;
            pen.right = pen.left + extent.cx;
            pen.bottom = pen.top + extent.cy;
        }
        if (place) {
            place(wordWithSpace, pen);
        }
        pen.left = pen.right;
        pen.right = area.right;
    }
    return pen;
}

} // namespace treectrl
