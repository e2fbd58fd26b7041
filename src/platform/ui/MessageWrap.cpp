// Wrapping a message at spaces and backslashes, and inside words too long for a line.
#include "platform/ui/MessageWrap.h"

namespace {

constexpr char16_t kLineBreak = u'\n';
constexpr char16_t kSpace = u' ';
constexpr char16_t kPathSeparator = u'\\';

/// True when a line may end after `line[0, end)`: after a space, before a backslash (so a folder
/// keeps its backslash, as a path is read), or at the line's end.
bool CanBreakAt(std::u16string_view line, std::size_t end) {
    return end == line.size() || line[end - 1] == kSpace || (line[end] == kPathSeparator && end > 0);
}

std::u16string_view WithoutTrailingSpaces(std::u16string_view text) {
    while (!text.empty() && text.back() == kSpace) {
        text.remove_suffix(1);
    }
    return text;
}

/// The length of the longest start of `line` that ends at a break (or the line's end) and fits;
/// 0 when not even the first word fits.
std::size_t FittingBreak(std::u16string_view line, int width, const TextMeasure& measure) {
    std::size_t fit = 0;
    for (std::size_t end = 1; end <= line.size(); ++end) {
        if (!CanBreakAt(line, end)) {
            continue;
        }
        if (measure(WithoutTrailingSpaces(line.substr(0, end))) > width) {
            break;
        }
        fit = end;
    }
    return fit;
}

/// The length of the longest start of `line` that fits, at least one character.
std::size_t FittingCharacters(std::u16string_view line, int width, const TextMeasure& measure) {
    std::size_t fit = 1;
    while (fit < line.size() && measure(line.substr(0, fit + 1)) <= width) {
        ++fit;
    }
    return fit;
}

void WrapParagraph(std::u16string_view line, int width, const TextMeasure& measure,
                   std::vector<std::u16string>& lines) {
    if (line.empty()) {
        lines.emplace_back();
        return;
    }
    while (!line.empty()) {
        std::size_t take = FittingBreak(line, width, measure);
        if (take == 0) {
            take = FittingCharacters(line, width, measure);
        }
        lines.emplace_back(WithoutTrailingSpaces(line.substr(0, take)));
        line.remove_prefix(take);
        while (!line.empty() && line.front() == kSpace) {
            line.remove_prefix(1);
        }
    }
}

} // namespace

std::vector<std::u16string> WrapMessage(std::u16string_view text, int width, const TextMeasure& measure) {
    std::vector<std::u16string> lines;
    while (true) {
        const std::size_t end = text.find(kLineBreak);
        WrapParagraph(text.substr(0, end), width, measure, lines);
        if (end == std::u16string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}
