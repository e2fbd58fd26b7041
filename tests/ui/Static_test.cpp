// Static controls: pictures at their top-left corner, clipped; text in its own font or the dialog's,
// left or centred, with "&" drawn as it is; transparent over the screen.
#include "FrameworkTables.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"
#include "platform/ui/Static.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

namespace {
using namespace frameworktest;

constexpr std::uint16_t kStaticsScreen = 920;
constexpr std::uint16_t kPicture = 1201;
constexpr std::uint16_t kLeftText = 1202;
constexpr std::uint16_t kCentredText = 1203;
constexpr std::uint16_t kBannerPicture = 131;

inline constexpr DialogItemTemplate kStaticItems[] = {
    {kPicture, kStaticClass, u"", 0, 0, 60, 10, WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, kBannerPicture},
    {kLeftText, kStaticClass, u"&&x", 0, 20, 60, 10, WS_CHILD | WS_VISIBLE | SS_LEFT},
    {kCentredText, kStaticClass, u"I", 0, 40, 60, 10, WS_CHILD | WS_VISIBLE | SS_CENTER},
};
inline constexpr DialogTemplate kStaticDialogs[] = {
    {kStaticsScreen, u"Statics", 140, 155, WS_POPUP, 0, u"System", 8, kStaticItems},
};

/// Text is smoothed: a pixel darker than mid-grey counts as ink.
bool IsInk(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128;
}

/// Columns of `image` holding ink.
std::vector<int> InkColumns(const uitest::GrabbedImage& image) {
    std::vector<int> columns;
    for (int x = 0; x < image.Width(); ++x) {
        for (int y = 0; y < image.Height(); ++y) {
            if (IsInk(image.Pixel(x, y))) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

class StaticTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallProgramResources();
        InstallResources(ResourceTables{ProgramResources().strings, kStaticDialogs, {}, {}, {}});
    }
};

TEST_F(StaticTest, APictureShowsTheBitmapFromItsTopLeftCornerClippedToTheControl) {
    CDialog screen(kStaticsScreen);
    uitest::RunModal(screen, [&] {
        CBitmap banner;
        ASSERT_TRUE(banner.LoadBitmap(kBannerPicture));
        const uitest::GrabbedImage image = uitest::Grab(*screen.GetDlgItem(kPicture));
        EXPECT_EQ(image.Width(), 103);
        for (int x : {0, 10, 102}) {
            for (int y : {0, 5, image.Height() - 1}) {
                EXPECT_EQ(image.Pixel(x, y), banner.GetPixel(x, y)) << x << "," << y;
            }
        }
        auto& picture = dynamic_cast<CStatic&>(*screen.GetDlgItem(kPicture));
        EXPECT_FALSE(picture.SetBitmap(4242)) << "no such picture";
    });
}

TEST_F(StaticTest, TextIsLeftAlignedOrCentredAndAmpersandsAreDrawnAsTheyAre) {
    CDialog screen(kStaticsScreen);
    uitest::RunModal(screen, [&] {
        const std::vector<int> left = InkColumns(uitest::Grab(*screen.GetDlgItem(kLeftText)));
        ASSERT_FALSE(left.empty());
        EXPECT_LE(left.front(), 1);
        // "&&x" is three glyphs wide: wider than "x" alone would be.
        EXPECT_GT(left.back() - left.front(), 12);
        const uitest::GrabbedImage centred = uitest::Grab(*screen.GetDlgItem(kCentredText));
        const std::vector<int> ink = InkColumns(centred);
        ASSERT_FALSE(ink.empty());
        const int middle = (ink.front() + ink.back()) / 2;
        EXPECT_NEAR(middle, centred.Width() / 2, 2);
    });
}

TEST_F(StaticTest, ItsOwnFontChangesTheTextAtOnce) {
    CDialog screen(kStaticsScreen);
    uitest::RunModal(screen, [&] {
        CWnd* text = screen.GetDlgItem(kLeftText);
        const std::vector<int> before = InkColumns(uitest::Grab(*text));
        CFont big;
        ASSERT_TRUE(big.CreateFont(18, FW_BOLD, kDeviceFaceName));
        text->SetFont(&big);
        EXPECT_EQ(text->GetFont(), &big);
        const std::vector<int> after = InkColumns(uitest::Grab(*text));
        EXPECT_GT(after.back() - after.front(), before.back() - before.front());
        text->SetFont(nullptr);
    });
}

} // namespace
