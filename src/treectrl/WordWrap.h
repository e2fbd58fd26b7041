// Word wrap of a row's title: splits at spaces, places each word (with one trailing space) on the
// current line or the next, and reports where the last word ended.
#pragma once

#include "platform/ui/CharAdvances.h"
#include "platform/ui/Geometry.h"

#include <functional>
#include <string>
#include <string_view>

namespace treectrl {

/// Receives each word (followed by one space) with the rectangle the wrap placed it in.
using PlaceWordFn = std::function<void(std::u16string_view wordWithSpace, const CRect& place)>;

/// Wraps text into area, measuring with the row font's advances and lines `lineHeight` high. Words
/// are split at U+0020 only; runs of spaces are one separator and leading or trailing spaces give no
/// word. Each word is as wide as its characters and one space. A word too wide for the area on its
/// own stays on its line and runs past the right edge. When place is given it is called for every
/// word in order. Returns the last word's rectangle with its left moved just past the word's space
/// and its right at area.right; a text without words returns area itself.
CRect WrapWords(const CRect& area, std::u16string_view text, CharAdvances& advances, int lineHeight,
                const PlaceWordFn& place = {});

} // namespace treectrl
