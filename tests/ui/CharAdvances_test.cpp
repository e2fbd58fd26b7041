// A font's advance table against the plain rule: a text's width is the sum of its characters'
// advances, a surrogate pair is one character, and the font is asked once per character.
#include "platform/ui/CharAdvances.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>

namespace {

/// A made-up font: each character's advance depends on the character, so a sum that took a wrong
/// entry, split a pair or skipped a unit comes out different. Counts how often each was asked.
struct CountingFont {
    std::map<std::u16string, int> asked;

    static int AdvanceOf(std::u16string_view character) {
        std::uint32_t code = character[0];
        if (character.size() == 2) {
            code = 0x10000 + ((code - 0xD800) << 10) + (character[1] - 0xDC00u);
        }
        return static_cast<int>(code % 13 + 1);
    }

    CharAdvances::MeasureFn Measure() {
        return [this](std::u16string_view character) {
            ++asked[std::u16string(character)];
            return AdvanceOf(character);
        };
    }
};

bool IsHigh(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLow(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

/// The rule as written: walk the characters one by one and add up their advances.
int SumOfAdvances(std::u16string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1])) {
            width += CountingFont::AdvanceOf(text.substr(i, 2));
            ++i;
        } else {
            width += CountingFont::AdvanceOf(text.substr(i, 1));
        }
    }
    return width;
}

} // namespace

TEST(CharAdvances, EveryTextMeasuresAsTheSumOfItsCharactersAdvances) {
    CountingFont font;
    CharAdvances advances(font.Measure());
    // Texts of every kind of unit: ASCII, the rest of the plane, pairs, lone and reversed surrogates,
    // in every order, so pages fill in any order and a pair may be cut by the text's end.
    constexpr char16_t kUnits[] = {u'a',   u' ',   u'M',   0x00E9, 0x4E00, 0xFFFF, 0x0000,
                                   0xD83D, 0xDE00, 0xD800, 0xDC00, 0xDBFF, 0xDFFF};
    std::mt19937 random(16);
    for (int round = 0; round < 2000; ++round) {
        std::u16string text(random() % 12, u' ');
        for (char16_t& unit : text) {
            unit = kUnits[random() % std::size(kUnits)];
        }
        EXPECT_EQ(advances.Width(text), SumOfAdvances(text)) << round;
    }
}

TEST(CharAdvances, TheFontIsAskedOncePerCharacterAndAPairIsOneCharacter) {
    CountingFont font;
    CharAdvances advances(font.Measure());
    const std::u16string smile = u"\U0001F600";
    EXPECT_EQ(advances.Width(u"Milk Milk " + smile + smile), SumOfAdvances(u"Milk Milk " + smile + smile));
    EXPECT_EQ(advances.Width(u"kliM"), SumOfAdvances(u"kliM"));
    const std::map<std::u16string, int> once{{u"M", 1}, {u"i", 1}, {u"l", 1},
                                             {u"k", 1}, {u" ", 1}, {smile, 1}};
    EXPECT_EQ(font.asked, once);
    EXPECT_EQ(advances.MeasuredCount(), 6u);

    // A lone half of a pair is measured as itself; its partner text still measures as the pair.
    const std::u16string high(1, smile[0]);
    EXPECT_EQ(advances.Width(high), CountingFont::AdvanceOf(high));
    EXPECT_EQ(font.asked[high], 1);
    const CharAdvances::Character pair = advances.At(smile, 0);
    EXPECT_EQ(pair.units, 2u);
    EXPECT_EQ(pair.advance, CountingFont::AdvanceOf(smile));
}

TEST(CharAdvances, AFontsWildAnswersAreHeldToSaneWidths) {
    CharAdvances broken([](std::u16string_view character) { return character[0] == u'-' ? -7 : 1000000; });
    EXPECT_EQ(broken.Width(u"-"), 0) << "no character moves the pen backwards";
    EXPECT_EQ(broken.Width(u"W"), CharAdvances::kWidestAdvance);
    // 600,000 of the widest characters are more than a 32-bit width can hold: it stays at the most.
    EXPECT_EQ(broken.Width(std::u16string(600000, u'W')), INT32_MAX);
    EXPECT_THROW(CharAdvances(nullptr), std::invalid_argument);
}
