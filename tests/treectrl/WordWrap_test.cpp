// Word wrap of row titles, with a font whose characters are all 6 pixels wide.
#include "treectrl/WordWrap.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using treectrl::WrapWords;

namespace {

constexpr int kCharWidth = 6;
constexpr int kLineHeight = 13;

/// A font whose every character is 6 pixels wide; records the characters it was asked about.
class FixedWidthMeasure {
public:
    FixedWidthMeasure()
        : advances([this](std::u16string_view character) {
              asked.emplace_back(character);
              return kCharWidth;
          }) {}
    std::vector<std::u16string> asked;
    CharAdvances advances;
};

struct Placed {
    std::u16string word;
    CRect place;
    bool operator==(const Placed&) const = default;
};

std::vector<Placed> PlaceAll(const CRect& area, std::u16string_view text, FixedWidthMeasure& measure,
                             CRect* last = nullptr) {
    std::vector<Placed> placed;
    const CRect result = WrapWords(area, text, measure.advances, kLineHeight,
                                   [&](std::u16string_view word, const CRect& place) {
                                       placed.push_back({std::u16string(word), place});
                                   });
    if (last != nullptr) {
        *last = result;
    }
    return placed;
}

const CRect kArea(10, 0, 70, 15); // 60 pixels: ten characters per line

} // namespace

// Runs of spaces separate words and none start or end the text; each word is measured with one
// space after it, six pixels a character. Tabs and line breaks belong to the word.
TEST(WordWrapSplitting, SpacesSeparateWordsEachMeasuredWithOneSpace) {
    const std::vector<std::pair<std::u16string_view, std::vector<Placed>>> cases = {
        {u"Milk  2%", {{u"Milk ", CRect(10, 0, 40, 13)}, {u"2% ", CRect(40, 0, 58, 13)}}},
        {u"   Eggs   ", {{u"Eggs ", CRect(10, 0, 40, 13)}}},
        {u"a\tb c\r\nd", {{u"a\tb ", CRect(10, 0, 34, 13)}, {u"c\r\nd ", CRect(34, 0, 64, 13)}}},
    };
    for (const auto& [text, words] : cases) {
        FixedWidthMeasure measure;
        EXPECT_EQ(PlaceAll(kArea, text, measure), words) << std::string(text.begin(), text.end());
    }
}

TEST(WordWrapSplitting, TextWithoutWordsLeavesTheAreaAsItWas) {
    FixedWidthMeasure measure;
    CRect last;
    EXPECT_TRUE(PlaceAll(kArea, u"", measure, &last).empty());
    EXPECT_EQ(last, kArea);
    EXPECT_TRUE(PlaceAll(kArea, u"     ", measure, &last).empty());
    EXPECT_EQ(last, kArea);
}

TEST(WordWrapLines, AWordThatEndsExactlyAtTheEdgeStaysOnItsLine) {
    FixedWidthMeasure measure;
    // "aaaa " and "bbbb " are 30 pixels each: together exactly the 60-pixel area.
    const auto placed = PlaceAll(kArea, u"aaaa bbbb cc", measure);
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0].place, CRect(10, 0, 40, 13));
    EXPECT_EQ(placed[1].place, CRect(40, 0, 70, 13));
    EXPECT_EQ(placed[2].place, CRect(10, 13, 28, 26));
}

TEST(WordWrapLines, ResultEndsJustAfterTheLastWordsSpaceOnTheLastLine) {
    FixedWidthMeasure measure;
    CRect last;
    PlaceAll(kArea, u"aaaa bbbb cc", measure, &last);
    EXPECT_EQ(last, CRect(28, 13, 70, 26));
}

TEST(WordWrapLines, AWordWiderThanTheAreaStaysOnItsLineAndRunsPastTheEdge) {
    FixedWidthMeasure measure;
    CRect last;
    const auto placed = PlaceAll(kArea, u"abcdefghijklmno xy", measure, &last);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].place, CRect(10, 0, 106, 13)); // on the first line, past 70
    EXPECT_EQ(placed[1].place, CRect(10, 13, 28, 26)); // the next word starts a new line
}

TEST(WordWrapLines, AnOverlongWordAfterOthersMovesToANewLineAndStaysWhole) {
    FixedWidthMeasure measure;
    const auto placed = PlaceAll(kArea, u"ab abcdefghijklmno", measure);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[1].place, CRect(10, 13, 106, 26));
}

TEST(WordWrapLines, TextsFarLongerThanAThousandCharactersWrapToTheEnd) {
    FixedWidthMeasure measure;
    std::u16string text;
    for (int i = 0; i < 600; ++i) {
        text += u"word "; // 3,000 characters, 600 words, two words per line
    }
    CRect last;
    const auto placed = PlaceAll(kArea, text, measure, &last);
    ASSERT_EQ(placed.size(), 600u);
    EXPECT_EQ(last.top, 299 * kLineHeight);
    EXPECT_EQ(last.bottom, 300 * kLineHeight);
}

TEST(WordWrapMeasuring, TheFontIsAskedOncePerDistinctCharacterHoweverOftenWordsRepeat) {
    FixedWidthMeasure measure;
    WrapWords(kArea, u"milk bread milk milk bread", measure.advances, kLineHeight);
    WrapWords(kArea, u"bread milk", measure.advances, kLineHeight);
    EXPECT_EQ(measure.asked,
              (std::vector<std::u16string>{u" ", u"m", u"i", u"l", u"k", u"b", u"r", u"e", u"a", u"d"}));
}

TEST(WordWrapMeasuring, AWordOfHugeWidthEndsAtTheLargestCoordinateInsteadOfWrappingAround) {
    CharAdvances widest([](std::u16string_view) { return CharAdvances::kWidestAdvance; });
    // 600,000 characters of 4,096 pixels: far past what a coordinate can hold.
    const std::u16string word(600000, u'W');
    CRect last;
    std::vector<CRect> places;
    last = WrapWords(kArea, word + u" x", widest, kLineHeight,
                     [&](std::u16string_view, const CRect& place) { places.push_back(place); });
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].left, 10);
    EXPECT_EQ(places[0].right, INT32_MAX);
    EXPECT_EQ(places[1], CRect(10, 13, 10 + 2 * 4096, 26)) << "the next word starts a line of its own";
    EXPECT_EQ(last.left, 10 + 2 * 4096);
}

namespace {

/// Each character has a width of its own: a unit c is 3 + c % 7 pixels, a surrogate pair 11.
int VaryingWidth(std::u16string_view character) {
    return character.size() == 2 ? 11 : 3 + character[0] % 7;
}

/// The rule as it reads, with nothing placed: words split at spaces, each as wide as its characters
/// (a surrogate pair one character) and one space, on the line while it fits or the line is empty.
CRect PlainWrap(const CRect& area, std::u16string_view text, int lineHeight) {
    CRect pen = area;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == u' ') {
            ++at;
            continue;
        }
        std::int64_t width = VaryingWidth(u" ");
        while (at < text.size() && text[at] != u' ') {
            const bool pair = at + 1 < text.size() && text[at] >= 0xD800 && text[at] < 0xDC00 &&
                              text[at + 1] >= 0xDC00 && text[at + 1] < 0xE000;
            const std::size_t units = pair ? 2 : 1;
            width += VaryingWidth(text.substr(at, units));
            at += units;
        }
        if (pen.left > area.left && pen.left + width > area.right) {
            pen.left = area.left;
            pen.top += lineHeight;
        }
        pen.bottom = pen.top + lineHeight;
        pen.left = static_cast<std::int32_t>(pen.left + width);
        pen.right = area.right;
    }
    return pen;
}

} // namespace

TEST(WordWrapMeasuring, MeasuringAloneEndsWhereThePlainRuleAndThePlacedWordsEnd) {
    CharAdvances advances(VaryingWidth);
    // Spaces alone and in runs, letters of several widths, a surrogate pair, lone surrogates.
    const std::u16string alphabet = u"  aZm.\tW\xD83D\xDE00\xDC00\xD800";
    std::mt19937 random(16);
    for (int round = 0; round < 2000; ++round) {
        std::u16string text(random() % 40, u' ');
        for (char16_t& unit : text) {
            unit = alphabet[random() % alphabet.size()];
        }
        const CRect area(5, 7, 5 + static_cast<std::int32_t>(random() % 80), 20);
        const CRect measured = WrapWords(area, text, advances, kLineHeight);
        EXPECT_EQ(measured, PlainWrap(area, text, kLineHeight)) << round;
        const CRect placed =
            WrapWords(area, text, advances, kLineHeight, [](std::u16string_view, const CRect&) {});
        EXPECT_EQ(measured, placed) << round;
    }
}
