// Font tests: the device face is registered, heights are cell heights, weights and the dialog face
// come out as the device shows them.
#include "platform/ui/DCBridge.h"
#include "platform/ui/Font.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cstdlib>

TEST(DeviceFont, TahomaIsRegisteredFromTheHostsFontFolder) {
    ASSERT_TRUE(RegisterDeviceFonts()) << "install the package fonts-wine";
    EXPECT_TRUE(RegisterDeviceFonts()) << "a second call answers the same";
    CFont font;
    ASSERT_TRUE(font.CreateFont(13, FW_NORMAL, u"Tahoma"));
    EXPECT_EQ(QFontInfo(ToQFont(font)).family(), QStringLiteral("Tahoma"));
}

TEST(DeviceFont, PositiveHeightIsTheCellHeight) {
    for (int height : {12, 13, 14, 16, 18}) {
        CFont font;
        ASSERT_TRUE(font.CreateFont(height, FW_NORMAL, u"Tahoma"));
        EXPECT_EQ(font.GetTextMetrics().tmHeight, height) << height;
    }
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
/// How many pixels of `text` come out dark when drawn black on white in `font`: heavier strokes
/// darken more of them.
int InkOf(const QFont& font, const QString& text) {
    QImage surface(QFontMetrics(font).horizontalAdvance(text) + 8, QFontMetrics(font).height() + 4,
                   QImage::Format_RGB32);
    surface.fill(Qt::white);
    QPainter painter(&surface);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(surface.rect(), Qt::AlignCenter, text);
    painter.end();
    constexpr int kDarkBelow = 128;
    int ink = 0;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            ink += qGray(surface.pixel(x, y)) < kDarkBelow ? 1 : 0;
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
    EXPECT_FALSE(QFontInfo(ToQFont(normal)).bold());
    EXPECT_TRUE(QFontInfo(ToQFont(semiBold)).bold());
    EXPECT_TRUE(QFontInfo(ToQFont(bold)).bold());
    // The host's own bold file only widens the spacing; bold must show as heavier strokes.
    const QString address = QStringLiteral("www.tarrow.example");
    constexpr double kBoldInkAtLeast = 1.3;
    EXPECT_GT(InkOf(ToQFont(semiBold), address), kBoldInkAtLeast * InkOf(ToQFont(normal), address));
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
    EXPECT_EQ(QFontInfo(ToQFont(defaults)).family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(defaults.GetTextMetrics().tmHeight, 13);
    EXPECT_FALSE(QFontInfo(ToQFont(defaults)).bold());
}

TEST(DeviceFont, DialogFaceAtEightPointIsTheDeviceFace) {
    CFont dialog;
    ASSERT_TRUE(dialog.CreatePointFont(80, u"System"));
    EXPECT_EQ(QFontInfo(ToQFont(dialog)).family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(dialog.GetLogFont().lfHeight, -11) << "8 points at 96 pixels per inch, as an em height";
    EXPECT_FALSE(CFont().CreatePointFont(0, u"System"));
}

TEST(DeviceFont, EveryFontCarriesAnExplicitHintingPreference) {
    CFont font;
    font.CreateFont(13, FW_NORMAL, u"Tahoma");
    EXPECT_NE(ToQFont(font).hintingPreference(), QFont::PreferDefaultHinting);
    EXPECT_NE(ToQFont(CFont()).hintingPreference(), QFont::PreferDefaultHinting);
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
            const QString family = QFontInfo(ToQFont(font)).family();
            std::exit(!real && family != QStringLiteral("Tahoma") && !family.isEmpty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "Tahoma was not found at /nonexistent/fonts/tahoma.ttf");
}
