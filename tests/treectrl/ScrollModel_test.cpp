// The scroll model: clamping and the scroll bar's geometry, including the band bookkeeping that
// decides which rows a scroll renders.
#include "treectrl/RowBand.h"
#include "treectrl/ScrollModel.h"

#include <gtest/gtest.h>

using namespace treectrl;

namespace {

// The editor's control: 240 x 320 client, so the view is (0, 1, 237, 319), 318 high.
const CRect kView(0, 1, 237, 319);
constexpr int kViewHeight = 318;

} // namespace

TEST(ScrollClamp, EverythingFittingMeansOffsetZero) {
    EXPECT_EQ(ClampScrollOffset(50, 100, kViewHeight), 0);
    EXPECT_EQ(ClampScrollOffset(-5, 100, kViewHeight), 0);
    EXPECT_EQ(ClampScrollOffset(0, 0, kViewHeight), 0);
}

TEST(ScrollClamp, OffsetStaysWithinTheContent) {
    EXPECT_EQ(ClampScrollOffset(1000, 500, kViewHeight), 500 - kViewHeight);
    EXPECT_EQ(ClampScrollOffset(-10, 500, kViewHeight), 0);
    EXPECT_EQ(ClampScrollOffset(100, 500, kViewHeight), 100);
}

TEST(ScrollBarGeometryTest, NoBarWhenTheContentIsExactlyTheViewHeight) {
    const ScrollBarGeometry g = ComputeScrollBar(kView, kViewHeight, 0, 1.0f);
    EXPECT_FALSE(g.Visible());
    EXPECT_TRUE(g.upArrow.IsRectEmpty());
    EXPECT_TRUE(g.downArrow.IsRectEmpty());
    EXPECT_TRUE(g.thumb.IsRectEmpty());
}

TEST(ScrollBarGeometryTest, OnePixelMoreShowsTheBarAlongTheViewsRightEdge) {
    const ScrollBarGeometry g = ComputeScrollBar(kView, kViewHeight + 1, 0, 1.0f);
    ASSERT_TRUE(g.Visible());
    EXPECT_EQ(g.bar, CRect(224, 1, 237, 319));
    EXPECT_EQ(g.upArrow, CRect(224, 1, 237, 13));
    EXPECT_EQ(g.downArrow, CRect(224, 307, 237, 319));
    EXPECT_FLOAT_EQ(g.scale, 294.0f / 319.0f);
}

TEST(ScrollBarGeometryTest, ThumbIsAThirdOfTheTrackForContentThreeViewsHigh) {
    const ScrollBarGeometry g = ComputeScrollBar(kView, 3 * kViewHeight, 0, 1.0f);
    const int track = 318 - 24;
    EXPECT_EQ(g.thumb.top, 13);
    EXPECT_NEAR(g.thumb.Height(), track / 3, 1);
}

TEST(ScrollBarGeometryTest, ThumbFollowsTheOffsetScaledToTheTrack) {
    const ScrollBarGeometry g = ComputeScrollBar(kView, 3 * kViewHeight, kViewHeight, 1.0f);
    EXPECT_EQ(g.thumb.top, 13 + static_cast<int>(kViewHeight * g.scale));
}

TEST(ScrollBarGeometryTest, ThumbNeverShorterThanThirteenPixels) {
    const ScrollBarGeometry g = ComputeScrollBar(kView, 1'500'000, 0, 1.0f);
    EXPECT_EQ(g.thumb.Height(), 13);
}

TEST(ScrollBarGeometryTest, ThumbAtTheEndStaysInsideTheTrack) {
    const int content = 1'500'000;
    const ScrollBarGeometry g = ComputeScrollBar(kView, content, content - kViewHeight, 1.0f);
    EXPECT_EQ(g.thumb.bottom, 307);
    EXPECT_EQ(g.thumb.Height(), 13);
}

TEST(RowBandTest, FirstShowRendersTheWholeBand) {
    RowBand band;
    band.SetHeight(318);
    const BandUpdate u = band.MoveTo(0);
    EXPECT_FALSE(u.keepOld);
    EXPECT_EQ(u.exposed.top, 0);
    EXPECT_EQ(u.exposed.bottom, 318);
    EXPECT_TRUE(band.Valid());
}

// A move keeps the pixels still in view, shifted, and renders only the strip that appears; a jump
// further than the band renders it all.
TEST(RowBandTest, AMoveRendersOnlyTheStripThatAppears) {
    struct Move {
        const char* what;
        int from;
        int to;
        bool keepOld;
        int shift;
        ContentStrip exposed;
    };
    const Move moves[] = {
        {"down", 0, 10, true, 10, {318, 328}},
        {"up", 100, 70, true, -30, {70, 100}},
        {"a jump", 0, 5000, false, 0, {5000, 5318}},
    };
    for (const Move& move : moves) {
        RowBand band;
        band.SetHeight(kViewHeight);
        band.MoveTo(move.from);
        const BandUpdate u = band.MoveTo(move.to);
        EXPECT_EQ(u.keepOld, move.keepOld) << move.what;
        if (move.keepOld) {
            EXPECT_EQ(u.shift, move.shift) << move.what;
        }
        EXPECT_EQ(u.exposed.top, move.exposed.top) << move.what;
        EXPECT_EQ(u.exposed.bottom, move.exposed.bottom) << move.what;
    }
}

TEST(RowBandTest, StayingPutRendersNothingUnlessInvalidated) {
    RowBand band;
    band.SetHeight(318);
    band.MoveTo(40);
    EXPECT_TRUE(band.MoveTo(40).exposed.Empty());
    band.Invalidate();
    EXPECT_EQ(band.MoveTo(40).exposed.bottom, 358);
}

TEST(RowBandTest, VisiblePartOfARowIsClippedToTheBand) {
    RowBand band;
    band.SetHeight(100);
    band.MoveTo(50);
    EXPECT_EQ(band.Visible(40, 60).top, 50);
    EXPECT_EQ(band.Visible(140, 160).bottom, 150);
    EXPECT_TRUE(band.Visible(0, 50).Empty());
    EXPECT_TRUE(band.Visible(150, 170).Empty());
}
