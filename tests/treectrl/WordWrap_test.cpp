// Word wrap of row titles and the word-measure memo, with a measurer of fixed-width characters.
#include "treectrl/LineMeasureCache.h"
#include "treectrl/WordWrap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using treectrl::ILineMeasure;
using treectrl::LineMeasureCache;
using treectrl::WrapWords;

namespace {

constexpr int kCharWidth = 6;
constexpr int kLineHeight = 13;

/// Every character is 6 pixels wide; records what it was asked.
class FixedWidthMeasure final : public ILineMeasure {
public:
    CSize MeasureLine(std::u16string_view text) override {
        asked.emplace_back(text);
        return CSize(static_cast<int>(text.size()) * kCharWidth, kLineHeight);
    }
    std::vector<std::u16string> asked;
};

struct Placed {
    std::u16string word;
    CRect place;
};

std::vector<Placed> PlaceAll(const CRect& area, std::u16string_view text, ILineMeasure& measure,
                             CRect* last = nullptr) {
    std::vector<Placed> placed;
    const CRect result = WrapWords(area, text, measure, [&](std::u16string_view word, const CRect& place) {
        placed.push_back({std::u16string(word), place});
    });
    if (last != nullptr) {
        *last = result;
    }
    return placed;
}

const CRect kArea(10, 0, 70, 15); // 60 pixels: ten characters per line

} // namespace

TEST(WordWrapSplitting, TwoSpacesSeparateTwoWordsEachMeasuredWithOneSpace) {
    FixedWidthMeasure measure;
    const auto placed = PlaceAll(kArea, u"Milk  2%", measure);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].word, u"Milk ");
    EXPECT_EQ(placed[1].word, u"2% ");
    EXPECT_EQ(measure.asked, (std::vector<std::u16string>{u"Milk ", u"2% "}));
}

TEST(WordWrapSplitting, LeadingAndTrailingSpacesGiveNoWord) {
    FixedWidthMeasure measure;
    const auto placed = PlaceAll(kArea, u"   Eggs   ", measure);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].word, u"Eggs ");
    EXPECT_EQ(placed[0].place, CRect(10, 0, 40, 13));
}

TEST(WordWrapSplitting, TabsAndLineBreaksBelongToTheWord) {
    FixedWidthMeasure measure;
    const auto placed = PlaceAll(kArea, u"a\tb c\r\nd", measure);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].word, u"a\tb ");
    EXPECT_EQ(placed[1].word, u"c\r\nd ");
}

TEST(WordWrapSplitting, TextWithoutWordsLeavesTheAreaAsItWas) {
    FixedWidthMeasure measure;
    CRect last;
    EXPECT_TRUE(PlaceAll(kArea, u"", measure, &last).empty());
    EXPECT_EQ(last, kArea);
    EXPECT_TRUE(PlaceAll(kArea, u"     ", measure, &last).empty());
    EXPECT_EQ(last, kArea);
    EXPECT_TRUE(measure.asked.empty());
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

TEST(LineMeasureMemo, AsksTheFontOncePerDistinctWord) {
    FixedWidthMeasure source;
    LineMeasureCache memo(&source);
    WrapWords(kArea, u"milk bread milk milk bread", memo);
    EXPECT_EQ(source.asked, (std::vector<std::u16string>{u"milk ", u"bread "}));
    EXPECT_EQ(memo.MeasureLine(u"milk "), CSize(30, kLineHeight));
    EXPECT_EQ(source.asked.size(), 2u);
}

TEST(LineMeasureMemo, StaysBoundedAndStillAnswersRightAfterEmptying) {
    FixedWidthMeasure source;
    LineMeasureCache memo(&source);
    for (std::size_t i = 0; i <= LineMeasureCache::kMaxEntries; ++i) {
        memo.MeasureLine(std::u16string(1, u'a') + std::u16string(i % 7, u'b') +
                         std::u16string(i / 7 % 1000, u'c') + std::u16string(i / 7000, u'd'));
    }
    EXPECT_LE(memo.Size(), LineMeasureCache::kMaxEntries);
    EXPECT_EQ(memo.MeasureLine(u"abc"), CSize(18, kLineHeight));
}
