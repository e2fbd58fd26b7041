// A selection that lasts one scope: drawing inside lands in what was selected there, drawing after
// lands where it did before, and a failed selection changes nothing.
#include "platform/ui/DC.h"
#include "platform/ui/ScopedSelect.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = 0x000000FF;
constexpr COLORREF kBlue = 0x00FF0000;

TEST(ScopedSelect, ABitmapSelectedForAScopeGivesTheSurfaceBackAfterIt) {
    CBitmap first;
    CBitmap second;
    ASSERT_TRUE(first.CreateBitmap(2, 2));
    ASSERT_TRUE(second.CreateBitmap(2, 2));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    dc.SelectObject(&first);
    {
        const ScopedSelect selection(dc, &second);
        EXPECT_TRUE(selection.Selected());
        dc.FillSolidRect(CRect(0, 0, 2, 2), kRed);
    }
    dc.FillSolidRect(CRect(0, 0, 2, 2), kBlue);
    EXPECT_EQ(dc.GetPixel(1, 1), kBlue);
    dc.SelectObject(&second);
    EXPECT_EQ(dc.GetPixel(1, 1), kRed);
}

TEST(ScopedSelect, AFontIsHeldForItsScopeAndAnEmptyOneIsNotSelectedAtAll) {
    CBitmap surface;
    ASSERT_TRUE(surface.CreateBitmap(1, 1));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    dc.SelectObject(&surface);
    CFont* const before = dc.GetCurrentFont();
    CFont large;
    ASSERT_TRUE(large.CreateFont(26, FW_NORMAL, u"Tahoma"));
    {
        const ScopedSelect selection(dc, &large);
        EXPECT_EQ(dc.GetCurrentFont(), &large);
        EXPECT_EQ(dc.GetTextExtent(u"M").cy, 26);
    }
    EXPECT_EQ(dc.GetCurrentFont(), before);

    CFont empty;
    {
        const ScopedSelect selection(dc, &empty);
        EXPECT_FALSE(selection.Selected());
        EXPECT_EQ(dc.GetCurrentFont(), before);
    }
    EXPECT_EQ(dc.GetCurrentFont(), before);
    EXPECT_EQ(dc.GetTextExtent(u"M").cy, 13);
}

} // namespace
