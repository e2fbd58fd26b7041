// Word wrap of a row's title: splits at spaces, places each word (with one trailing space) on the
// current line or the next, and reports where the last word ended.
#pragma once

#include "platform/ui/Geometry.h"

#include <functional>
#include <string>
#include <string_view>

namespace treectrl {

/// Measures one line of text in the row font, without prefix processing.
class ILineMeasure {
public:
    virtual ~ILineMeasure() = default;
    /// Width and line height of the text drawn as a single line.
    virtual CSize MeasureLine(std::u16string_view text) = 0;
};

/// Receives each word (followed by one space) with the rectangle the wrap placed it in.
using PlaceWordFn = std::function<void(std::u16string_view wordWithSpace, const CRect& place)>;

/// Wraps text into area. Words are split at U+0020 only; runs of spaces are one separator and
/// leading or trailing spaces give no word. A word too wide for the area on its own stays on its
/// line and runs past the right edge. When place is given it is called for every word in order.
/// Returns the last word's rectangle with its left moved just past the word's space and its right
/// at area.right; a text without words returns area itself.
CRect WrapWords(const CRect& area, std::u16string_view text, ILineMeasure& measure,
                const PlaceWordFn& place = {});

} // namespace treectrl
