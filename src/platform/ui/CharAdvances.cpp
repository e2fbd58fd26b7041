// A font's advance widths: asking the font on first use, surrogate pairs as one character.
#include "platform/ui/CharAdvances.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr char16_t kFirstHighSurrogate = 0xD800;
constexpr char16_t kFirstLowSurrogate = 0xDC00;
constexpr char16_t kLastLowSurrogate = 0xDFFF;
constexpr char32_t kFirstBeyondPlane = 0x10000;
constexpr int kSurrogateBits = 10;

bool IsHighSurrogate(char16_t unit) {
    return unit >= kFirstHighSurrogate && unit < kFirstLowSurrogate;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= kFirstLowSurrogate && unit <= kLastLowSurrogate;
}
bool IsSurrogate(char16_t unit) {
    return unit >= kFirstHighSurrogate && unit <= kLastLowSurrogate;
}

char32_t CodePointOf(char16_t high, char16_t low) {
    return kFirstBeyondPlane + ((static_cast<char32_t>(high - kFirstHighSurrogate) << kSurrogateBits) |
                                static_cast<char32_t>(low - kFirstLowSurrogate));
}

} // namespace

CharAdvances::CharAdvances(MeasureFn measure) : m_measure(std::move(measure)) {
    if (!m_measure) {
        throw std::invalid_argument("CharAdvances needs a font to ask");
    }
}

CharAdvances::~CharAdvances() = default;

int CharAdvances::Ask(std::u16string_view character) {
    ++m_measured;
    return std::clamp(m_measure(character), 0, kWidestAdvance);
}

CharAdvances::Character CharAdvances::Measure(std::u16string_view text, std::size_t at) {
    const char16_t unit = text[at];
    if (!IsSurrogate(unit)) {
        std::unique_ptr<Page>& page = m_pages[unit >> kPageBits];
        if (!page) {
            page = std::make_unique<Page>();
            page->fill(kUnmeasured);
        }
        std::int16_t& advance = (*page)[unit & kPageMask];
        if (advance == kUnmeasured) {
            advance = static_cast<std::int16_t>(Ask(text.substr(at, 1)));
        }
        return {1, advance};
    }
    const bool paired = IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]);
    const std::size_t units = paired ? 2 : 1;
    const char32_t key = paired ? CodePointOf(unit, text[at + 1]) : static_cast<char32_t>(unit);
    auto found = m_beyondPlane.find(key);
    if (found == m_beyondPlane.end()) {
        found = m_beyondPlane.emplace(key, static_cast<std::int16_t>(Ask(text.substr(at, units)))).first;
    }
    return {units, found->second};
}
