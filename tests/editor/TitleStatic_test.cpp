// The list editor's title bar: its picture at the top-left only, and the title drawn over it in one
// clipped line, vertically centred, ampersands as they are.
#include "editor/TitleStatic.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

constexpr UINT kTitleId = 1001;
/// The title picture, 240 x 28, painted at the top-left corner.
constexpr unsigned kTitlePicture = 148;
constexpr int kPictureWidth = 240;
constexpr int kPictureHeight = 28;
/// The title starts 26 pixels in, right of the picture's icon.
constexpr int kTitleIndent = 26;

/// Text is drawn in black; nothing in the picture is that dark.
bool IsInk(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
}

class TitleBar : public ::testing::Test {
protected:
    void Show(const std::u16string& text, int width, int height) {
        RegisterWindowClass(u"TitleTestParent");
        ASSERT_TRUE(
            parent.Create(u"TitleTestParent", u"", WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0));
        ASSERT_TRUE(title.Create(kStaticClass, text, WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height),
                                 &parent, kTitleId));
        ASSERT_TRUE(font.CreateFont(16, FW_SEMIBOLD, u"Tahoma"));
        title.SetFont(&font);
    }

    void TearDown() override {
        title.DestroyWindow();
        parent.DestroyWindow();
    }

    /// Ink bounds: the first and last rows and columns with text pixels.
    static CRect InkBounds(const uitest::GrabbedImage& image) {
        CRect bounds(image.Width(), image.Height(), -1, -1);
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                if (IsInk(image.Pixel(x, y))) {
                    bounds.left = std::min(bounds.left, x);
                    bounds.top = std::min(bounds.top, y);
                    bounds.right = std::max(bounds.right, x + 1);
                    bounds.bottom = std::max(bounds.bottom, y + 1);
                }
            }
        }
        return bounds;
    }

    CWnd parent;
    CTitleStatic title;
    CFont font;
};

} // namespace

TEST_F(TitleBar, PictureFillsTheTopLeft240By28PixelsUnscaled) {
    Show(u"", kPictureWidth, kPictureHeight);
    CBitmap picture;
    ASSERT_TRUE(picture.LoadBitmap(kTitlePicture));
    ASSERT_EQ(picture.GetSize(), CSize(kPictureWidth, kPictureHeight));
    const auto image = uitest::Grab(title);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            ASSERT_EQ(image.Pixel(x, y), picture.GetPixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(TitleBar, BeyondThePictureALargerControlShowsItsPlainBackground) {
    Show(u"", 300, 40);
    CBitmap picture;
    ASSERT_TRUE(picture.LoadBitmap(kTitlePicture));
    const auto image = uitest::Grab(title);
    EXPECT_EQ(image.Pixel(100, 10), picture.GetPixel(100, 10));
    const COLORREF background = image.Pixel(299, 39);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 300; ++x) {
            if (x >= kPictureWidth || y >= kPictureHeight) {
                ASSERT_EQ(image.Pixel(x, y), background) << x << "," << y;
            }
        }
    }
}

TEST_F(TitleBar, TitleStartsPastTheIconAndIsCentredInTheWholeHeight) {
    Show(u"Shop", 300, 40);
    const CRect ink = InkBounds(uitest::Grab(title));
    EXPECT_GE(ink.left, kTitleIndent);
    EXPECT_LE(ink.left, kTitleIndent + 3);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 20.0, 2.5);
}

TEST_F(TitleBar, AmpersandIsDrawnAsItIs) {
    Show(u"&", kPictureWidth, kPictureHeight);
    const CRect ink = InkBounds(uitest::Grab(title));
    EXPECT_GE(ink.left, kTitleIndent);
    EXPECT_GE(ink.Height(), 8) << "a full-height glyph, not an underline";
}

TEST_F(TitleBar, ALongTitleIsCutAtTheEdgeWithoutAnEllipsis) {
    Show(std::u16string(60, u'H'), kPictureWidth, kPictureHeight);
    const auto image = uitest::Grab(title);
    const CRect ink = InkBounds(image);
    EXPECT_GE(ink.right, kPictureWidth - 8) << "the title runs to the control's edge";
    // The last glyphs are whole letters: ink in the upper half of the line, where "..." has none.
    bool upperInkAtTheEnd = false;
    for (int y = ink.top; y < (ink.top + ink.bottom) / 2; ++y) {
        for (int x = kPictureWidth - 12; x < kPictureWidth; ++x) {
            upperInkAtTheEnd = upperInkAtTheEnd || IsInk(image.Pixel(x, y));
        }
    }
    EXPECT_TRUE(upperInkAtTheEnd);
}

TEST_F(TitleBar, ScreenshotOfAListTitle) {
    Show(u"Shopping & errands*", kPictureWidth, kPictureHeight);
    const auto image = uitest::Grab(title);
    EXPECT_TRUE(image.SavePng("titlebar.png"));
    CBitmap picture;
    ASSERT_TRUE(picture.LoadBitmap(kTitlePicture));
    EXPECT_EQ(image.Pixel(2, 2), picture.GetPixel(2, 2)) << "the picture's icon, left of the title";
    EXPECT_EQ(image.Pixel(kPictureWidth - 1, 0), picture.GetPixel(kPictureWidth - 1, 0));
    const CRect ink = InkBounds(image);
    EXPECT_GE(ink.left, kTitleIndent);
    EXPECT_LE(ink.left, kTitleIndent + 3);
    EXPECT_GE(ink.Height(), 8) << "whole letters, not a line";
}
