// The list view: columns and rows, single selection, hit testing on the rows that were laid out,
// its own pen and key handling, the transparent background and how rows are painted.
#include "FrameworkTables.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
using namespace frameworktest;

constexpr COLORREF kTile = RGB(181, 207, 247);
constexpr COLORREF kHighlight = RGB(10, 36, 106);

/// A list whose background is drawn by its erase handler, as the document list's is.
class TiledList : public CListCtrl {
public:
    bool drawBackground = true;

protected:
    bool OnEraseBkgnd(CDC& dc) override {
        if (!drawBackground) {
            return false;
        }
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(client, kTile);
        return true;
    }
};

class ListScreen : public CDialog {
public:
    ListScreen() : CDialog(kScreen) {}
    TiledList list;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kList, list); }
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        list.SetBkColor(CLR_NONE);
        list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
        list.InsertColumn(0, u"", LVCFMT_LEFT, 130);
        list.InsertColumn(1, u"", LVCFMT_LEFT, 55);
        for (int i = 0; i < 3; ++i) {
            const int row =
                list.InsertItem(i, u"Row " + std::u16string(1, static_cast<char16_t>(u'A' + i)), 0);
            list.SetItemText(row, 1, u"3/5/04");
        }
        return true;
    }
};

CPoint RowPoint(const CListCtrl& list, int row) {
    CRect r;
    list.GetItemRect(row, &r);
    return CPoint(r.left + 40, r.top + r.Height() / 2);
}

class ListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override { InstallFrameworkTables(); }
};

TEST_F(ListCtrlTest, RowsKeepTheirTextsInInsertionOrder) {
    ListScreen screen;
    uitest::RunModal(screen, [&] {
        CListCtrl& list = screen.list;
        EXPECT_EQ(list.GetItemCount(), 3);
        EXPECT_EQ(list.GetColumnCount(), 2);
        EXPECT_EQ(list.GetItemText(1, 0), u"Row B");
        EXPECT_EQ(list.GetItemText(1, 1), u"3/5/04");
        EXPECT_EQ(list.GetItemText(1, 2), u"") << "a column never set is empty";
        EXPECT_EQ(list.GetItemText(7, 0), u"") << "no such row";
        list.InsertItem(0, u"First", 0);
        EXPECT_EQ(list.GetItemText(0, 0), u"First");
        EXPECT_TRUE(list.DeleteAllItems());
        EXPECT_EQ(list.GetItemCount(), 0);
    });
}

TEST_F(ListCtrlTest, SelectingARowDeselectsTheOthers) {
    ListScreen screen;
    uitest::RunModal(screen, [&] {
        CListCtrl& list = screen.list;
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1) << "nothing selected after filling";
        list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
        list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
        EXPECT_EQ(list.GetNextItem(1, LVNI_SELECTED), -1);
        EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), 0u);
    });
}

TEST_F(ListCtrlTest, HitTestingUsesTheRowsAsLaidOut) {
    ListScreen screen;
    uitest::RunModal(screen, [&] {
        CListCtrl& list = screen.list;
        CRect first;
        ASSERT_TRUE(list.GetItemRect(0, &first));
        UINT flags = 0;
        EXPECT_EQ(list.HitTest(CPoint(first.left, first.top), &flags), 0);
        EXPECT_EQ(flags, LVHT_ONITEM);
        EXPECT_EQ(list.HitTest(CPoint(first.left, first.bottom)), 1)
            << "the bottom edge belongs to the next row";
        CRect last;
        list.GetItemRect(2, &last);
        EXPECT_EQ(list.HitTest(CPoint(5, last.bottom + 2), &flags), -1);
        EXPECT_EQ(flags, LVHT_NOWHERE);
        EXPECT_EQ(list.HitTest(CPoint(-1, first.top)), -1);
    });
}

TEST_F(ListCtrlTest, ItsOwnPenHandlingSelectsTheTappedRowAndKeepsTheSelectionOutsideRows) {
    ListScreen screen;
    uitest::RunModal(screen, [&] {
        CListCtrl& list = screen.list;
        uitest::Tap(list, RowPoint(list, 1));
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
        EXPECT_EQ(CWnd::GetFocus(), &list);
        CRect last;
        list.GetItemRect(2, &last);
        uitest::Tap(list, CPoint(5, last.bottom + 5));
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
        uitest::PressKey(VK_DOWN);
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
        uitest::PressKey(VK_DOWN);
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2) << "stays on the last row";
        uitest::PressKey(VK_UP);
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    });
}

TEST_F(ListCtrlTest, TheEraseHandlerDrawsTheBackgroundAndTheSelectedRowIsHighlightedAcross) {
    ListScreen screen;
    uitest::RunModal(screen, [&] {
        CListCtrl& list = screen.list;
        list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        list.RedrawWindow();
        const uitest::GrabbedImage image = uitest::Grab(list);
        CRect first;
        list.GetItemRect(0, &first);
        CRect second;
        list.GetItemRect(1, &second);
        EXPECT_EQ(image.Pixel(first.right - 3, first.top + 1), kHighlight) << "full-row selection";
        EXPECT_EQ(image.Pixel(second.right - 3, second.top + 1), kTile);
    });
}

TEST_F(ListCtrlTest, ATextTooLongForItsColumnStopsBeforeTheNextColumn) {
    ListScreen screen;
    uitest::RunModal(screen, [&] {
        CListCtrl& list = screen.list;
        list.SetItemText(0, 0, u"A very long list name that cannot fit in its column at all");
        list.RedrawWindow();
        const uitest::GrabbedImage image = uitest::Grab(list);
        CRect row;
        list.GetItemRect(0, &row);
        // Column 1 starts at 130; its text 3 pixels later. Nothing of column 0 may reach it.
        for (int x = 127; x < 133; ++x) {
            for (int y = row.top; y < row.bottom; ++y) {
                EXPECT_EQ(image.Pixel(x, y), kTile) << x << "," << y;
            }
        }
        EXPECT_EQ(list.GetItemText(0, 0), u"A very long list name that cannot fit in its column at all")
            << "only the drawing is cut";
    });
}

TEST_F(ListCtrlTest, ManyRowsScrollToKeepTheSelectedOneInView) {
    ListScreen screen;
    uitest::RunModal(screen, [&] {
        CListCtrl& list = screen.list;
        for (int i = 0; i < 30; ++i) {
            list.InsertItem(list.GetItemCount(), u"More", 0);
        }
        list.SetItemState(32, LVIS_SELECTED, LVIS_SELECTED);
        list.EnsureVisible(32);
        CRect last;
        list.GetItemRect(32, &last);
        CRect client;
        list.GetClientRect(&client);
        EXPECT_LE(last.bottom, client.bottom);
        EXPECT_GE(last.top, 0);
        EXPECT_EQ(list.HitTest(CPoint(5, last.top + 1)), 32);
        EXPECT_LT(last.right, client.right) << "rows leave room for the scroll bar";
    });
}

TEST_F(ListCtrlTest, ImageListsCutStripsIntoCells) {
    CBitmap strip;
    ASSERT_TRUE(strip.CreateBitmap(48, 16));
    CImageList images;
    EXPECT_EQ(images.Add(&strip, nullptr), -1) << "not created yet";
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR, 0, 8));
    EXPECT_EQ(images.Add(&strip, nullptr), 0);
    EXPECT_EQ(images.Add(&strip, RGB(255, 0, 255)), 3);
    EXPECT_EQ(images.GetImageCount(), 6);
    EXPECT_EQ(images.GetImageSize(), CSize(16, 16));
}

} // namespace

/// A list of many rows whose second column comes either from its own texts or, through
/// LVN_GETDISPINFO, from the screen, which records every cell it was asked for.
class ManyRowsScreen : public CDialog {
public:
    static constexpr int kRows = 200;
    explicit ManyRowsScreen(bool askParent) : CDialog(kScreen), m_askParent(askParent) {
        GetCommandMap().OnNotify(kList, LVN_GETDISPINFO, [this](const NMHDR& hdr, LRESULT*) {
            const auto& info = reinterpret_cast<const NMLVDISPINFO&>(hdr);
            asked.push_back({info.iItem, info.iSubItem});
            *info.pszText = CellText(info.iItem);
        });
    }
    static std::u16string CellText(int row) {
        return u"Cell " + std::u16string(1, static_cast<char16_t>(u'A' + row % 26));
    }

    TiledList list;
    std::vector<std::pair<int, int>> asked; ///< (row, column) of every LVN_GETDISPINFO

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kList, list); }
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        list.SetBkColor(CLR_NONE);
        list.InsertColumn(0, u"", LVCFMT_LEFT, 130);
        list.InsertColumn(1, u"", LVCFMT_LEFT, 55);
        if (m_askParent) {
            list.SetColumnTextCallback(1);
            list.SetRedraw(false);
        }
        for (int row = 0; row < kRows; ++row) {
            list.InsertItem(row, u"Row", 0);
            if (!m_askParent) {
                list.SetItemText(row, 1, CellText(row));
            }
        }
        list.SetRedraw(true);
        return true;
    }

private:
    bool m_askParent;
};

// The document list asks its screen only for the cells it shows; what it shows must not change.
TEST_F(ListCtrlTest, AColumnAskingTheParentShowsTheSameAndAsksOnlyForWhatIsLookedAt) {
    ManyRowsScreen owned(false);
    uitest::GrabbedImage ownTexts;
    uitest::RunModal(owned, [&] { ownTexts = uitest::Grab(owned.list); });

    ManyRowsScreen asking(true);
    uitest::RunModal(asking, [&] {
        CListCtrl& list = asking.list;
        const int shown = list.GetCountPerPage() + 1; // the rows in view and the one cut at the bottom
        ASSERT_LT(shown, ManyRowsScreen::kRows) << "the rows must not all fit";
        asking.asked.clear();
        const uitest::GrabbedImage image = uitest::Grab(list);
        ASSERT_FALSE(asking.asked.empty());
        for (const auto& [row, column] : asking.asked) {
            EXPECT_LT(row, shown) << "a row out of view was asked for";
            EXPECT_EQ(column, 1);
        }
        ASSERT_EQ(image.Width(), ownTexts.Width());
        ASSERT_EQ(image.Height(), ownTexts.Height());
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                ASSERT_EQ(image.Pixel(x, y), ownTexts.Pixel(x, y)) << x << "," << y;
            }
        }

        asking.asked.clear();
        EXPECT_EQ(list.GetItemText(150, 1), u"Cell U");
        EXPECT_EQ(asking.asked, (std::vector<std::pair<int, int>>{{150, 1}}));
        EXPECT_EQ(list.GetItemText(150, 0), u"Row") << "the other columns keep their own texts";
    });
}
