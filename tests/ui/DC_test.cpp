// Drawing context tests: memory surfaces and bitmap selection, fills, frames, lines, block copies
// with and without a key colour, and text placement, checked pixel by pixel.
#include "platform/ui/DC.h"
#include "platform/ui/testing/PictureProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);

/// A memory context with a bitmap of the given size selected, filled white.
class Surface {
public:
    Surface(int width, int height) {
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        EXPECT_TRUE(bitmap.CreateBitmap(width, height));
        EXPECT_NE(dc.SelectObject(&bitmap), nullptr);
        dc.FillSolidRect(0, 0, width, height, kWhite);
    }
    CDC dc;
    CBitmap bitmap;
};

/// A pixel and the colour it should have.
struct Pixel {
    int x;
    int y;
    COLORREF colour;
};

/// Checks each pixel of `expected` in a context or bitmap, naming the ones that differ.
template <class Image> void ExpectPixels(const Image& image, std::initializer_list<Pixel> expected) {
    for (const Pixel& pixel : expected) {
        EXPECT_EQ(image.GetPixel(pixel.x, pixel.y), pixel.colour) << "at " << pixel.x << "," << pixel.y;
    }
}

/// How many pixels of the rectangle are not white.
int InkedPixels(const CDC& dc, const CRect& rect) {
    int inked = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            inked += dc.GetPixel(x, y) != kWhite ? 1 : 0;
        }
    }
    return inked;
}

/// The columns holding ink within a row band, as [first, last]; {-1, -1} when none.
std::pair<int, int> InkedColumns(const CDC& dc, int top, int bottom, int width) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < width; ++x) {
        for (int y = top; y < bottom; ++y) {
            if (dc.GetPixel(x, y) != kWhite) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

} // namespace

// --- Surfaces and selection ------------------------------------------------------------------------------

TEST(DCSurface, FreshMemoryContextHoldsAPlaceholderThatComesBackOnReselect) {
    CDC dc;
    EXPECT_FALSE(dc.IsValid());
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(dc.GetSurfaceSize(), CSize(1, 1));

    CBitmap picture;
    ASSERT_TRUE(picture.CreateBitmap(8, 4));
    CBitmap* placeholder = dc.SelectObject(&picture);
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(dc.GetSurfaceSize(), CSize(8, 4));
    dc.FillSolidRect(CRect(0, 0, 8, 4), kBlue);

    EXPECT_EQ(dc.SelectObject(placeholder), &picture);
    EXPECT_EQ(picture.GetPixel(7, 3), kBlue) << "pixels stay in the bitmap after it is selected out";
}

TEST(DCSurface, EmptyBitmapsAndPaintContextsCannotBeSelected) {
    CDC dc;
    CBitmap empty;
    EXPECT_EQ(dc.SelectObject(&empty), nullptr) << "not a memory context yet";
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(dc.SelectObject(&empty), nullptr);
    EXPECT_FALSE(empty.CreateBitmap(0, 5));
    EXPECT_FALSE(empty.CreateBitmap(100000, 100000)) << "absurd sizes are refused, not attempted";
}

TEST(DCSurface, SelectedPixelsOutliveTheBitmapObject) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    {
        CBitmap shortLived;
        ASSERT_TRUE(shortLived.CreateBitmap(4, 4));
        dc.SelectObject(&shortLived);
        shortLived.DeleteObject();
    }
    dc.FillSolidRect(CRect(0, 0, 4, 4), kRed);
    EXPECT_EQ(dc.GetPixel(3, 3), kRed);
}

TEST(DCSurface, ContextOverAPainterDrawsIntoThePaintersImage) {
    CSize surfaceSize;
    const CBitmap window = uitest::PaintThroughPainter(CSize(10, 10), kWhite, [&surfaceSize](CDC& dc) {
        surfaceSize = dc.GetSurfaceSize();
        dc.FillSolidRect(CRect(2, 2, 4, 4), kGreen);
    });
    EXPECT_EQ(surfaceSize, CSize(10, 10));
    ExpectPixels(window, {{2, 2, kGreen}, {4, 4, kWhite}});
}

// --- Fills, frames, lines ----------------------------------------------------------------------------------

TEST(DCFill, RightAndBottomEdgesAreOutside) {
    Surface s(10, 10);
    s.dc.FillSolidRect(CRect(2, 3, 5, 6), kBlue);
    ExpectPixels(s.dc, {{2, 3, kBlue}, {4, 5, kBlue}, {5, 5, kWhite}, {4, 6, kWhite}});
    EXPECT_EQ(InkedPixels(s.dc, CRect(0, 0, 10, 10)), 9);
}

TEST(DCFill, SolidFillBecomesTheTextBackground) {
    Surface s(4, 4);
    s.dc.SetBkColor(kWhite);
    s.dc.FillSolidRect(CRect(0, 0, 1, 1), kGreen);
    EXPECT_EQ(s.dc.GetBkColor(), kGreen);
    CBrush brush(kRed);
    s.dc.FillRect(CRect(0, 0, 1, 1), &brush);
    EXPECT_EQ(s.dc.GetBkColor(), kGreen) << "a brush fill leaves the background colour alone";
}

TEST(DCFrame, OnePixelAlongTheInsideEdges) {
    Surface s(8, 8);
    s.dc.FrameRect(CRect(1, 1, 6, 5), kRed);
    ExpectPixels(s.dc, {{1, 1, kRed}, {5, 4, kRed}, {3, 1, kRed}, {3, 4, kRed}});
    EXPECT_EQ(s.dc.GetPixel(3, 3), kWhite) << "inside untouched";
    EXPECT_EQ(s.dc.GetPixel(6, 3), kWhite) << "right edge is outside";
    EXPECT_EQ(InkedPixels(s.dc, CRect(0, 0, 8, 8)), 2 * 5 + 2 * 2);
}

TEST(DCFrame, FrameHangingOverTheSurfaceShowsOnlyItsVisibleSides) {
    Surface s(6, 4);
    s.dc.FrameRect(CRect(-1, 0, 7, 4), kRed); // sides fall just outside, as the tree control's do
    ExpectPixels(s.dc, {{0, 0, kRed}, {5, 3, kRed}, {0, 1, kWhite}, {5, 2, kWhite}});
}

TEST(DCLine, EndPointIsNotDrawnInAnyDirection) {
    Surface s(12, 12);
    s.dc.MoveTo(2, 2);
    s.dc.LineTo(7, 2); // right
    ExpectPixels(s.dc, {{6, 2, kBlack}, {7, 2, kWhite}});
    s.dc.LineTo(7, 9); // down, starting where the last line ended
    ExpectPixels(s.dc, {{7, 2, kBlack}, {7, 8, kBlack}, {7, 9, kWhite}});
    s.dc.LineTo(3, 9); // left
    ExpectPixels(s.dc, {{4, 9, kBlack}, {3, 9, kWhite}});
    EXPECT_EQ(InkedPixels(s.dc, CRect(0, 0, 12, 12)), 5 + 7 + 4);
}

TEST(DCLine, DiagonalStepsOnePixelPerRowAndUsesTheSelectedPen) {
    Surface s(8, 8);
    CPen pen(PS_SOLID, 1, kBlue);
    CPen* previous = s.dc.SelectObject(&pen);
    ASSERT_NE(previous, nullptr);
    s.dc.MoveTo(0, 0);
    s.dc.LineTo(4, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s.dc.GetPixel(i, i), kBlue) << i;
    }
    EXPECT_EQ(s.dc.GetPixel(4, 4), kWhite);
    EXPECT_EQ(InkedPixels(s.dc, CRect(0, 0, 8, 8)), 4);
    EXPECT_EQ(s.dc.SelectObject(previous), &pen);
    EXPECT_FALSE(CPen().CreatePen(PS_SOLID, 3, kBlue)) << "only 1-pixel pens exist";
}

// --- Copies
// -------------------------------------------------------------------------------------------------

TEST(DCCopy, PlainCopyMovesABlockUnchanged) {
    Surface from(4, 4);
    from.dc.FillSolidRect(CRect(1, 1, 3, 3), kBlue);
    Surface to(8, 8);
    ASSERT_TRUE(to.dc.BitBlt(4, 4, 4, 4, &from.dc, 0, 0));
    ExpectPixels(to.dc, {{5, 5, kBlue}, {6, 6, kBlue}, {7, 7, kWhite}});
    EXPECT_EQ(InkedPixels(to.dc, CRect(0, 0, 8, 8)), 4);
}

TEST(DCCopy, BlockReachingPastTheSourceCopiesOnlyWhatExists) {
    Surface from(4, 4);
    from.dc.FillSolidRect(CRect(0, 0, 4, 4), kRed);
    Surface to(10, 10);
    ASSERT_TRUE(to.dc.BitBlt(2, 2, 8, 8, &from.dc, -2, 0));
    EXPECT_EQ(to.dc.GetPixel(3, 2), kWhite) << "source columns -2 and -1 do not exist";
    ExpectPixels(to.dc, {{4, 2, kRed}, {7, 5, kRed}, {8, 5, kWhite}, {4, 6, kWhite}});
}

TEST(DCCopy, OverlappingCopyWithinOneSurfaceReadsTheOldPixels) {
    Surface s(6, 1);
    for (int x = 0; x < 3; ++x) {
        s.dc.SetPixel(x, 0, RGB(10 * (x + 1), 0, 0));
    }
    ASSERT_TRUE(s.dc.BitBlt(1, 0, 3, 1, &s.dc, 0, 0));
    ExpectPixels(s.dc, {{1, 0, RGB(10, 0, 0)}, {2, 0, RGB(20, 0, 0)}, {3, 0, RGB(30, 0, 0)}});
}

TEST(DCCopy, StretchTakesTheNearestPixelWithoutSmoothing) {
    Surface from(2, 1);
    from.dc.SetPixel(0, 0, kRed);
    from.dc.SetPixel(1, 0, kBlue);
    Surface to(4, 8);
    ASSERT_TRUE(to.dc.StretchBlt(0, 0, 4, 8, &from.dc, 0, 0, 2, 1));
    ExpectPixels(to.dc, {{0, 0, kRed}, {1, 7, kRed}, {2, 0, kBlue}, {3, 7, kBlue}});
}

TEST(DCCopy, KeyColourLeavesTheTargetUntouched) {
    CBitmap picture;
    ASSERT_TRUE(picture.CreateBitmap(3, 1));
    CDC paint;
    ASSERT_TRUE(paint.CreateCompatibleDC(nullptr));
    paint.SelectObject(&picture);
    paint.SetPixel(0, 0, kRed);
    paint.SetPixel(1, 0, kBlue);
    paint.SetPixel(2, 0, RGB(254, 0, 0)); // one step off the key is drawn
    Surface to(3, 1);
    to.dc.FillSolidRect(CRect(0, 0, 3, 1), kGreen);
    ASSERT_TRUE(to.dc.TransparentImage(0, 0, 3, 1, picture, 0, 0, 3, 1, kRed));
    ExpectPixels(to.dc, {{0, 0, kGreen}, {1, 0, kBlue}, {2, 0, RGB(254, 0, 0)}});
}

TEST(DCCopy, CopiesFromNothingFail) {
    Surface to(2, 2);
    CDC nothing;
    EXPECT_FALSE(to.dc.BitBlt(0, 0, 2, 2, &nothing, 0, 0));
    EXPECT_FALSE(to.dc.BitBlt(0, 0, 2, 2, nullptr, 0, 0));
    EXPECT_FALSE(to.dc.TransparentImage(0, 0, 2, 2, CBitmap(), 0, 0, 2, 2, kRed));
    EXPECT_EQ(InkedPixels(to.dc, CRect(0, 0, 2, 2)), 0);
}

// --- Text
// -----------------------------------------------------------------------------------------------------

class DCText : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RegisterDeviceFonts()) << "the device face (package fonts-wine) is missing";
        ASSERT_TRUE(font.CreateFont(13, FW_NORMAL, u"Tahoma"));
        surface.dc.SelectObject(&font);
    }
    CFont font;
    Surface surface{120, 40};
};

TEST_F(DCText, TahomaAtThirteenPixelsMeasuresAsTheDeviceDoes) {
    // The 13-pixel cell draws at an 11-pixel em (13 * 2048 / 2472, Tahoma's unitsPerEm over its
    // Windows ascent plus descent). A text is as wide as its characters' advances, each rounded to a
    // pixel: M 1579 font units * 11 / 2048 = 8.5 -> 8, i and l 469 -> 2.5 -> 3, k 1020 -> 5.5 -> 5,
    // space 639 -> 3.4 -> 3.
    EXPECT_EQ(surface.dc.GetTextExtent(u"Milk "), CSize(8 + 3 + 3 + 5 + 3, 13));
    const TEXTMETRIC metrics = surface.dc.GetTextMetrics();
    EXPECT_EQ(metrics.tmHeight, 13);
    EXPECT_EQ(metrics.tmAscent, 11) << "13 * 2049 / 2472 = 10.8";
    EXPECT_EQ(metrics.tmDescent, 2);
    EXPECT_EQ(metrics.tmInternalLeading, 2) << "the cell less the 11-pixel em";
}

// The face has kerning pairs (its GPOS table); the device kerns none of them, and no pair of
// characters is narrower or wider than the two apart.
TEST_F(DCText, ATextIsTheSumOfItsCharactersAdvancesWithNoKerning) {
    // A 1229 units (6.6 -> 7), V 1223 (6.6 -> 7), T 1196 (6.4 -> 6), R 1272 (6.8 -> 7),
    // o 1112 (6.0 -> 6), y 1020 (5.5 -> 5), m 1720 (9.2 -> 9), a 1075 (5.8 -> 6), t 684 (3.7 -> 4).
    EXPECT_EQ(surface.dc.GetTextExtent(u"AVATAR").cx, 7 + 7 + 7 + 6 + 7 + 7);
    EXPECT_EQ(surface.dc.GetTextExtent(u"Tomato").cx, 6 + 6 + 9 + 6 + 4 + 6);
    EXPECT_EQ(surface.dc.GetTextExtent(u"Ty").cx, 6 + 5);
    for (std::u16string_view pair : {u"AV", u"To", u"Ty", u"LT", u"Wo", u"r.", u"fi"}) {
        EXPECT_EQ(surface.dc.GetTextExtent(pair).cx, surface.dc.GetTextExtent(pair.substr(0, 1)).cx +
                                                         surface.dc.GetTextExtent(pair.substr(1, 1)).cx)
            << std::string(pair.begin(), pair.end());
    }
    // A character beyond the Basic Multilingual Plane is one character however it is stored, and
    // measures the same alone or among others.
    const std::u16string clef = u"\U0001D11E";
    EXPECT_EQ(surface.dc.GetTextExtent(u"a" + clef + u"a").cx,
              2 * surface.dc.GetTextExtent(u"a").cx + surface.dc.GetTextExtent(clef).cx);
}

// What is drawn takes exactly the width that was measured: the line drawn whole is, pixel for pixel,
// its characters drawn one by one, each where the sum of the advances before it puts it.
TEST_F(DCText, ALineIsDrawnCharacterByCharacterAtTheSumsOfTheAdvances) {
    constexpr std::u16string_view kText = u"AVATAR Tomato";
    surface.dc.SetBkMode(TRANSPARENT);
    surface.dc.DrawText(kText, CRect(3, 2, 120, 20), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);

    Surface apart(120, 40);
    apart.dc.SelectObject(&font);
    apart.dc.SetBkMode(TRANSPARENT);
    // The advances of "AVATAR Tomato" as worked out above, and the space's 3.
    constexpr int kAdvances[] = {7, 7, 7, 6, 7, 7, 3, 6, 6, 9, 6, 4, 6};
    int x = 3;
    for (std::size_t i = 0; i < kText.size(); ++i) {
        apart.dc.DrawText(kText.substr(i, 1), CRect(x, 2, 120, 20), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        x += kAdvances[i];
    }
    for (int py = 0; py < 40; ++py) {
        for (int px = 0; px < 120; ++px) {
            ASSERT_EQ(surface.dc.GetPixel(px, py), apart.dc.GetPixel(px, py)) << px << "," << py;
        }
    }
    EXPECT_GT(InkedPixels(surface.dc, CRect(3, 2, 3 + 7, 15)), 0) << "the A is drawn";
}

TEST_F(DCText, LeftAlignedTextStartsAtTheLeftEdgeAndStaysInItsLine) {
    surface.dc.SetBkMode(TRANSPARENT);
    surface.dc.DrawText(u"Milk", CRect(10, 5, 110, 18), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    const auto [first, last] = InkedColumns(surface.dc, 0, 40, 120);
    EXPECT_GE(first, 10);
    EXPECT_LE(first, 11) << "M's stem sits at the left edge";
    EXPECT_LE(last, 10 + surface.dc.GetTextExtent(u"Milk").cx);
    EXPECT_EQ(InkedPixels(surface.dc, CRect(0, 0, 120, 5)), 0);
    EXPECT_EQ(InkedPixels(surface.dc, CRect(0, 18, 120, 40)), 0);
}

TEST_F(DCText, CentredTextHasEqualMarginsWithinAPixel) {
    surface.dc.SetBkMode(TRANSPARENT);
    const CRect box(0, 0, 120, 13);
    surface.dc.DrawText(u"Milk", box, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    const int width = surface.dc.GetTextExtent(u"Milk").cx;
    const auto [first, last] = InkedColumns(surface.dc, 0, 13, 120);
    EXPECT_GE(first, (120 - width) / 2);
    EXPECT_LE(last, (120 - width) / 2 + width);
}

TEST_F(DCText, VerticalCentringAndClippingAtTheRectangle) {
    surface.dc.SetBkMode(TRANSPARENT);
    surface.dc.DrawText(u"Milk and honey", CRect(0, 0, 30, 40), DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(InkedPixels(surface.dc, CRect(30, 0, 120, 40)), 0) << "clipped at the right edge, no ellipsis";
    EXPECT_EQ(InkedPixels(surface.dc, CRect(0, 0, 30, (40 - 13) / 2)), 0);
    EXPECT_GT(InkedPixels(surface.dc, CRect(0, 0, 30, 40)), 0);
}

TEST_F(DCText, AmpersandsAreDrawnAsTheyAreOnlyWithNoPrefix) {
    CRect kept(0, 0, 0, 0);
    surface.dc.DrawText(u"A&B", kept, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    CRect processed(0, 0, 0, 0);
    surface.dc.DrawText(u"A&B", processed, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(kept.Width(), surface.dc.GetTextExtent(u"A&B").cx);
    EXPECT_EQ(processed.Width(), surface.dc.GetTextExtent(u"AB").cx);
    CRect doubled(0, 0, 0, 0);
    surface.dc.DrawText(u"A&&B", doubled, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(doubled.Width(), kept.Width());
}

TEST_F(DCText, OpaqueModeFillsTheTextCellTransparentLeavesIt) {
    surface.dc.FillSolidRect(CRect(0, 0, 120, 40), kGreen);
    surface.dc.SetBkColor(kWhite);
    surface.dc.SetBkMode(OPAQUE);
    surface.dc.DrawText(u"  ", CRect(0, 0, 120, 20), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    const int cellWidth = surface.dc.GetTextExtent(u"  ").cx;
    EXPECT_EQ(surface.dc.GetPixel(0, 0), kWhite) << "even blanks get their cell filled";
    ExpectPixels(surface.dc, {{cellWidth - 1, 12, kWhite}, {cellWidth, 0, kGreen}});
    EXPECT_EQ(surface.dc.GetPixel(0, 13), kGreen) << "below the 13-pixel cell nothing changes";

    surface.dc.FillSolidRect(CRect(0, 0, 120, 40), kGreen);
    surface.dc.SetBkMode(TRANSPARENT);
    surface.dc.DrawText(u"  ", CRect(0, 0, 120, 20), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(InkedPixels(surface.dc, CRect(0, 0, 120, 40)), 120 * 40) << "all still green";
}

TEST_F(DCText, TextColourIsUsedAndReported) {
    EXPECT_EQ(surface.dc.SetTextColor(RGB(50, 50, 200)), kBlack) << "black by default";
    // Strokes wider than a pixel, so some pixels are wholly ink rather than blended with the paper.
    CFont large;
    ASSERT_TRUE(large.CreateFont(30, FW_BOLD, u"Tahoma"));
    surface.dc.SelectObject(&large);
    surface.dc.SetBkMode(TRANSPARENT);
    surface.dc.DrawText(u"T", CRect(0, 0, 40, 30), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    bool sawTextColour = false;
    for (int y = 0; y < 30 && !sawTextColour; ++y) {
        for (int x = 0; x < 40 && !sawTextColour; ++x) {
            sawTextColour = surface.dc.GetPixel(x, y) == RGB(50, 50, 200);
        }
    }
    EXPECT_TRUE(sawTextColour);
}

TEST_F(DCText, LinesAndWordBreaksStackDownward) {
    CRect twoLines(0, 0, 200, 0);
    EXPECT_EQ(surface.dc.DrawText(u"Full support\nare available", twoLines, DT_CALCRECT | DT_CENTER), 26);
    EXPECT_EQ(twoLines.Height(), 26);
    CRect wrapped(0, 0, surface.dc.GetTextExtent(u"Milk and").cx, 0);
    EXPECT_EQ(surface.dc.DrawText(u"Milk and honey", wrapped, DT_CALCRECT | DT_WORDBREAK), 26);
    CRect oneLine(0, 0, 200, 0);
    EXPECT_EQ(surface.dc.DrawText(u"Full\nsupport", oneLine, DT_CALCRECT | DT_SINGLELINE), 13);
}

/// Renders a sample of the device's text and drawing to a PNG, for a person to look at, when
/// CORVINA_RENDER_DIR names a folder.
TEST_F(DCText, SampleSurfaceRendersForInspection) {
    Surface sample(240, 120);
    CFont bold;
    bold.CreateFont(18, FW_BOLD, u"Tahoma");
    CFont small;
    small.CreateFont(12, FW_NORMAL, u"Tahoma");
    sample.dc.FillSolidRect(CRect(0, 0, 240, 20), RGB(223, 227, 247));
    sample.dc.SelectObject(&font);
    sample.dc.SetBkMode(TRANSPARENT);
    sample.dc.DrawText(u"Milk 2 l & bread", CRect(4, 3, 236, 16), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    sample.dc.SelectObject(&bold);
    sample.dc.DrawText(u"Corvina", CRect(0, 24, 240, 44), DT_CENTER | DT_SINGLELINE);
    sample.dc.SelectObject(&small);
    sample.dc.DrawText(u"Full support and User manual\nare available on our web-site:", CRect(0, 48, 240, 80),
                       DT_CENTER);
    sample.dc.FrameRect(CRect(0, 84, 240, 120), RGB(77, 80, 141));
    sample.dc.MoveTo(16, 84);
    sample.dc.LineTo(16, 120);
    EXPECT_GT(InkedPixels(sample.dc, CRect(0, 24, 240, 44)), 0);
    if (const char* folder = std::getenv("CORVINA_RENDER_DIR")) {
        EXPECT_TRUE(uitest::SaveBitmapPng(sample.bitmap, std::string(folder) + "/dc-sample.png"));
    }
}
