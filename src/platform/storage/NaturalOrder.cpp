// Comparing names in natural order.
#include "platform/storage/NaturalOrder.h"

#include <cwctype>

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

char16_t Folded(char16_t c) {
    return static_cast<char16_t>(std::towlower(static_cast<wint_t>(c)));
}

/// The digit run at `pos` without its leading zeros.
std::u16string_view NumberAt(std::u16string_view text, std::size_t& pos) {
    while (pos < text.size() && text[pos] == u'0' && pos + 1 < text.size() && IsDigit(text[pos + 1])) {
        ++pos;
    }
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    return text.substr(start, pos - start);
}

/// Negative, zero or positive as `a` sorts before, with or after `b`, ignoring case.
int CompareFolded(std::u16string_view a, std::u16string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::u16string_view left = NumberAt(a, i);
            const std::u16string_view right = NumberAt(b, j);
            // Without leading zeros the longer number is the larger; equal lengths compare digit by digit.
            if (left.size() != right.size()) {
                return left.size() < right.size() ? -1 : 1;
            }
            if (const int order = left.compare(right); order != 0) {
                return order;
            }
            continue;
        }
        // Names in one folder share long runs; equal characters need no folding.
        if (a[i] == b[j]) {
            ++i;
            ++j;
            continue;
        }
        const char16_t left = Folded(a[i++]);
        const char16_t right = Folded(b[j++]);
        if (left != right) {
            return left < right ? -1 : 1;
        }
    }
    if (i == a.size() && j == b.size()) {
        return 0;
    }
    return i == a.size() ? -1 : 1;
}

} // namespace

bool NaturalLess(std::u16string_view a, std::u16string_view b) {
    if (const int order = CompareFolded(a, b); order != 0) {
        return order < 0;
    }
    return a < b;
}
