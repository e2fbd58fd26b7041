// The advance widths of one font's characters, each asked of the font once, and a text's width as
// their sum: the device measures text this way, with no kerning and no shaping, and draws it the same.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>

/// A font's table of advance widths in whole pixels. A character is one UTF-16 unit of the Basic
/// Multilingual Plane, or a surrogate pair, which is measured as one character; a surrogate without
/// its partner is a character of its own. Every font of the program is made and used on the one
/// user-interface thread, so the table fills without locks.
class CharAdvances {
public:
    /// Asks the font for the advance of one character (one unit, or a surrogate pair), in pixels.
    using MeasureFn = std::function<int(std::u16string_view character)>;

    /// One character of a text: how many units it spans and how far it moves the pen.
    struct Character {
        std::size_t units = 1;
        int advance = 0;
    };

    /// The most an advance may be: a character wider than the whole device screen many times over
    /// is a broken font, and the cap keeps every sum of a text that fits in memory in range.
    static constexpr int kWidestAdvance = 4096;

    explicit CharAdvances(MeasureFn measure);
    CharAdvances(const CharAdvances&) = delete;
    CharAdvances& operator=(const CharAdvances&) = delete;
    ~CharAdvances();

    /// The width of `text` as one line: the sum of its characters' advances, at most INT32_MAX.
    int Width(std::u16string_view text) {
        std::int64_t width = 0;
        for (std::size_t at = 0; at < text.size();) {
            const char16_t unit = text[at];
            if (const Page* page = m_pages[unit >> kPageBits].get()) {
                if (const std::int16_t advance = (*page)[unit & kPageMask]; advance != kUnmeasured) {
                    width += advance;
                    ++at;
                    continue;
                }
            }
            const Character character = Measure(text, at);
            width += character.advance;
            at += character.units;
        }
        return width > kWidestText ? kWidestText : static_cast<int>(width);
    }

    /// The character that starts at `text[at]` (at < text.size()), measured on first use.
    Character At(std::u16string_view text, std::size_t at) {
        const char16_t unit = text[at];
        if (const Page* page = m_pages[unit >> kPageBits].get()) {
            if (const std::int16_t advance = (*page)[unit & kPageMask]; advance != kUnmeasured) {
                return {1, advance};
            }
        }
        return Measure(text, at);
    }

    /// How many characters the font has been asked about so far.
    std::size_t MeasuredCount() const { return m_measured; }

private:
    static constexpr int kPageBits = 8;
    static constexpr std::size_t kPageSize = std::size_t{1} << kPageBits;
    static constexpr char16_t kPageMask = kPageSize - 1;
    static constexpr std::size_t kPageCount = std::size_t{1} << (16 - kPageBits);
    static constexpr std::int16_t kUnmeasured = -1;
    static constexpr std::int64_t kWidestText = INT32_MAX;
    using Page = std::array<std::int16_t, kPageSize>;

    /// The slow way: asks the font, and remembers the answer.
    Character Measure(std::u16string_view text, std::size_t at);
    int Ask(std::u16string_view character);

    MeasureFn m_measure;
    /// The Basic Multilingual Plane in pages of 256 units, each made when one of its characters is
    /// first measured; surrogates never get a page, so the fast path always leaves them to Measure.
    std::array<std::unique_ptr<Page>, kPageCount> m_pages;
    /// Characters beyond the plane (by code point), and lone surrogates (by their unit).
    std::unordered_map<char32_t, std::int16_t> m_beyondPlane;
    std::size_t m_measured = 0;
};
