// Font tests: the device face is registered, heights are cell heights, weights and the dialog face
// come out as the device shows them.
#include "platform/ui/DC.h"
#include "platform/ui/Font.h"
#include "platform/ui/testing/FontProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

TEST(DeviceFont, TahomaIsRegisteredFromTheHostsFontFolder) {
    ASSERT_TRUE(RegisterDeviceFonts()) << "install the package fonts-wine";
    EXPECT_TRUE(RegisterDeviceFonts()) << "a second call answers the same";
    CFont font;
    ASSERT_TRUE(font.CreateFont(13, FW_NORMAL, u"Tahoma"));
    EXPECT_EQ(uitest::ResolvedFamily(font), u"Tahoma");
}

// Tahoma's tables: unitsPerEm 2048 (head), usWinAscent 2049 and usWinDescent 423 (OS/2). A cell of
// h pixels draws at an em of round(h * 2048 / 2472), the line staying h high.
TEST(DeviceFont, PositiveHeightIsTheCellAndTheGlyphsTakeTheEmItGives) {
    struct Size {
        int cell;
        int em;
        int ascent;
    };
    // 13 * 2048 / 2472 = 10.8; 16 -> 13.3; 18 -> 14.9. Ascents 13 * 2049 / 2472 = 10.8, 13.3, 14.9.
    for (const Size size : {Size{13, 11, 11}, Size{16, 13, 13}, Size{18, 15, 15}}) {
        for (int weight : {FW_NORMAL, FW_SEMIBOLD, FW_BOLD}) {
            CFont font;
            ASSERT_TRUE(font.CreateFont(size.cell, weight, u"Tahoma"));
            const TEXTMETRIC metrics = font.GetTextMetrics();
            EXPECT_EQ(metrics.tmHeight, size.cell) << size.cell;
            EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, size.em) << size.cell;
            EXPECT_EQ(metrics.tmAscent, size.ascent) << size.cell;
            EXPECT_EQ(uitest::EmPixels(font), size.em) << size.cell << " weight " << weight;
        }
    }
}

// The list font's widths, from Tahoma's advance widths (hmtx) at the 11-pixel em: "12/31/09" is
// 8272 font units (44.4 pixels), "No items" 7980 (42.9), "28 items" 7738 (41.6).
TEST(DeviceFont, ListFontMeasuresTextAtItsTrueSize) {
    CFont font;
    ASSERT_TRUE(font.CreateFont(13, FW_NORMAL, u"Tahoma"));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    dc.SelectObject(&font);
    EXPECT_EQ(dc.GetTextExtent(u"12/31/09"), CSize(44, 13));
    EXPECT_EQ(dc.GetTextExtent(u"No items"), CSize(43, 13));
    EXPECT_EQ(dc.GetTextExtent(u"28 items"), CSize(42, 13));
}

TEST(DeviceFont, FaceWithoutAnExactCellTakesTheLargestThatFits) {
    // DejaVu Sans steps its cell from 11 straight to 13 pixels.
    for (int height : {10, 11, 12, 13, 16}) {
        CFont font;
        ASSERT_TRUE(font.CreateFont(height, FW_NORMAL, u"DejaVu Sans"));
        EXPECT_LE(font.GetTextMetrics().tmHeight, height) << height;
        EXPECT_GE(font.GetTextMetrics().tmHeight, height - 1) << height;
    }
}

namespace {
/// Below this grey level (of 255) a pixel counts as ink.
constexpr int kDarkBelow = 128;
/// Room around the text so no stroke is clipped at the surface's edge.
constexpr int kInkMargin = 8;

/// The grey level of a colour, weighted as the eye sees the channels.
int GreyOf(COLORREF colour) {
    constexpr int kRedWeight = 11;
    constexpr int kGreenWeight = 16;
    constexpr int kBlueWeight = 5;
    constexpr int kWeightSum = kRedWeight + kGreenWeight + kBlueWeight;
    return (GetRValue(colour) * kRedWeight + GetGValue(colour) * kGreenWeight +
            GetBValue(colour) * kBlueWeight) /
           kWeightSum;
}

/// How many pixels of `text` come out dark when a memory context draws it black on white in
/// `font`: heavier strokes darken more of them.
int InkOf(CFont& font, std::u16string_view text) {
    CDC dc;
    CBitmap surface;
    EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
    dc.SelectObject(&font);
    const CSize size(dc.GetTextExtent(text).cx + kInkMargin, dc.GetTextMetrics().tmHeight + kInkMargin);
    EXPECT_TRUE(surface.CreateBitmap(size.cx, size.cy));
    dc.SelectObject(&surface);
    dc.FillSolidRect(0, 0, size.cx, size.cy, RGB(255, 255, 255));
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(text, CRect(0, 0, size.cx, size.cy), DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    int ink = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            ink += GreyOf(dc.GetPixel(x, y)) < kDarkBelow ? 1 : 0;
        }
    }
    return ink;
}
} // namespace

TEST(DeviceFont, WeightsPickTheBoldFaceFromSemiBoldUp) {
    CFont normal;
    CFont semiBold;
    CFont bold;
    normal.CreateFont(14, FW_NORMAL, u"Tahoma");
    semiBold.CreateFont(14, FW_SEMIBOLD, u"Tahoma");
    bold.CreateFont(18, FW_BOLD, u"Tahoma");
    EXPECT_FALSE(uitest::ResolvesBold(normal));
    EXPECT_TRUE(uitest::ResolvesBold(semiBold));
    EXPECT_TRUE(uitest::ResolvesBold(bold));
    // The host's own bold file only widens the spacing; bold must show as heavier strokes.
    constexpr std::u16string_view kAddress = u"www.tarrow.example";
    constexpr double kBoldInkAtLeast = 1.3;
    EXPECT_GT(InkOf(semiBold, kAddress), kBoldInkAtLeast * InkOf(normal, kAddress));
}

TEST(DeviceFont, AttributesAreKeptAndZeroMeansDefault) {
    CFont font;
    LOGFONT attributes;
    attributes.lfHeight = 16;
    attributes.lfWeight = FW_SEMIBOLD;
    attributes.lfFaceName = u"Tahoma";
    ASSERT_TRUE(font.CreateFontIndirect(attributes));
    EXPECT_EQ(font.GetLogFont().lfHeight, 16);
    EXPECT_EQ(font.GetLogFont().lfWeight, FW_SEMIBOLD);

    CFont defaults;
    ASSERT_TRUE(defaults.CreateFontIndirect(LOGFONT{}));
    EXPECT_EQ(uitest::ResolvedFamily(defaults), u"Tahoma");
    EXPECT_EQ(defaults.GetTextMetrics().tmHeight, 13);
    EXPECT_FALSE(uitest::ResolvesBold(defaults));
}

TEST(DeviceFont, DialogFaceAtEightPointIsTheDeviceFace) {
    CFont dialog;
    ASSERT_TRUE(dialog.CreatePointFont(80, u"System"));
    EXPECT_EQ(uitest::ResolvedFamily(dialog), u"Tahoma");
    EXPECT_EQ(dialog.GetLogFont().lfHeight, -11) << "8 points at 96 pixels per inch, as an em height";
    EXPECT_EQ(uitest::EmPixels(dialog), 11);
    EXPECT_EQ(dialog.GetTextMetrics().tmHeight, 13) << "11 * 2472 / 2048 = 13.3";
    EXPECT_FALSE(CFont().CreatePointFont(0, u"System"));
}

TEST(DeviceFont, EveryFontCarriesAnExplicitHintingPreference) {
    CFont font;
    font.CreateFont(13, FW_NORMAL, u"Tahoma");
    EXPECT_TRUE(uitest::HasExplicitHinting(font));
    EXPECT_TRUE(uitest::HasExplicitHinting(CFont()));
}

TEST(DeviceFont, AverageWidthStretchesTheFace) {
    LOGFONT attributes;
    attributes.lfHeight = 13;
    attributes.lfFaceName = u"Tahoma";
    CFont natural;
    ASSERT_TRUE(natural.CreateFontIndirect(attributes));
    attributes.lfWidth = 2 * natural.GetTextMetrics().tmAveCharWidth;
    CFont wide;
    ASSERT_TRUE(wide.CreateFontIndirect(attributes));
    EXPECT_EQ(wide.GetTextMetrics().tmHeight, 13) << "the height stays";
    EXPECT_NEAR(wide.GetTextMetrics().tmAveCharWidth, attributes.lfWidth, 2);
}

TEST(DeviceFontDeathTest, MissingFaceFallsBackToTheSystemSansWithAWarning) {
    // A fresh process, so the face is registered there for the first time.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("CORVINA_FONT_DIR", "/nonexistent/fonts", 1);
            const bool real = RegisterDeviceFonts();
            CFont font;
            font.CreateFont(13, FW_NORMAL, u"Tahoma");
            const std::u16string family = uitest::ResolvedFamily(font);
            std::exit(!real && family != u"Tahoma" && !family.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "Tahoma was not found at /nonexistent/fonts/tahoma.ttf");
}
