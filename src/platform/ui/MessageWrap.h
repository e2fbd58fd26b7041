// Breaking a message box's text into the lines it shows.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

/// How wide a piece of text is, in pixels.
using TextMeasure = std::function<int(std::u16string_view)>;

/// Breaks `text` into lines no wider than `width`: at its own line breaks, after spaces and before
/// backslashes (so a path wraps between its folders), and a word still too wide for a line is broken
/// at the edge, so every character shows. Spaces at a break are dropped.
std::vector<std::u16string> WrapMessage(std::u16string_view text, int width, const TextMeasure& measure);
