// The document list screen as a user meets it: the rows a folder gives, pen taps and holds on and
// beside the rows, the Document menu, Enter, the focus refresh and damaged list files.
#include "ListFilesFixture.h"

#include "platform/storage/FileFind.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/testing/UiTest.h"
#include "res/ResourceIds.h"
#include "shell/AboutDlg.h"
#include "shell/CorvinaApp.h"
#include "shell/ListFilesDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

using shelltest::kLists;
using shelltest::ListFilesScreenTest;
using shelltest::Row;
const std::u16string kEmptyEndsEarly = u"An attempt was made to access Empty.crv past its end.";

TEST_F(ListFilesScreenTest, ShowsOneRowPerListFileWithNameDateAndCount) {
    WriteList(Path(u"Shopping.crv"), 12, {2004, 3, 5});
    WriteList(Path(u"Packing.crv"), 1, {2009, 12, 31});
    WriteList(Path(u"Errands.crv"), 0, {2010, 1, 1});
    WriteList(Path(u"Shop.CRV"), 3);

    CListFilesDlg screen(*m_listing);
    std::vector<Row> rows;
    std::optional<int> selected = 0;
    bool okButton = true;
    uitest::RunModal(screen, [&] {
        rows = Rows(screen);
        selected = screen.GetSelectedRow();
        okButton = screen.HasCaptionOkButton();
    });
    EXPECT_EQ(std::set<Row>(rows.begin(), rows.end()), (std::set<Row>{{u"Shopping", u"3/5/04", u"12 items"},
                                                                      {u"Packing", u"12/31/09", u"1 item"},
                                                                      {u"Errands", u"1/1/10", u"No items"}}));
    // Rows keep the folder's own order.
    ASSERT_EQ(rows.size(), m_listing->Records().size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0] + u".crv", m_listing->Records()[i].fileName);
    }
    EXPECT_EQ(selected, std::nullopt);
    EXPECT_FALSE(okButton);
}

TEST_F(ListFilesScreenTest, ColumnsHaveTheirWidthsAndTheListItsFont) {
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        CListFilesCtrl& list = screen.GetListCtrl();
        ASSERT_EQ(list.GetColumnCount(), 3);
        EXPECT_EQ(list.GetColumnWidth(0), 130);
        EXPECT_EQ(list.GetColumnWidth(1), 55);
        EXPECT_EQ(list.GetColumnWidth(2), 55);
        EXPECT_EQ(list.GetBkColor(), CLR_NONE);
        EXPECT_NE(list.GetExtendedStyle() & LVS_EX_FULLROWSELECT, 0u);
        ASSERT_NE(list.GetFont(), nullptr);
        const LOGFONT font = list.GetFont()->GetLogFont();
        EXPECT_EQ(font.lfFaceName, u"Tahoma");
        EXPECT_EQ(font.lfHeight, 13);
        EXPECT_EQ(font.lfWeight, FW_NORMAL);
    });
}

// Below the rows the ruled background shows: two pale-blue rulings every four pixels, solid at the
// right, fading to white towards the left, and the rows reach the screen's right edge.
TEST_F(ListFilesScreenTest, BackgroundIsRuledPaleBlueFadingToTheLeft) {
    WriteList(Path(u"A.crv"), 1);
    constexpr COLORREF kDarkRule = RGB(181, 207, 247);
    constexpr COLORREF kLightRule = RGB(214, 227, 247);
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        CListFilesCtrl& list = screen.GetListCtrl();
        CRect client;
        list.GetClientRect(&client);
        CRect screenArea;
        screen.GetClientRect(&screenArea);
        CRect onScreen;
        list.GetWindowRect(&onScreen);
        CPoint screenRight(screenArea.right, 0);
        screen.ClientToScreen(&screenRight);
        EXPECT_EQ(onScreen.right, screenRight.x);

        const uitest::GrabbedImage image = uitest::Grab(list);
        CRect row;
        ASSERT_TRUE(list.GetItemRect(0, &row));
        const int right = image.Width() - 1;
        const int top = row.bottom + 8;
        ASSERT_LT(top + 8, image.Height());
        std::vector<COLORREF> ruling;
        for (int y = top; y < top + 4; ++y) {
            ruling.push_back(image.Pixel(right, y));
        }
        std::ranges::sort(ruling);
        EXPECT_EQ(ruling, (std::vector<COLORREF>{kDarkRule, kDarkRule, kLightRule, kLightRule}));
        for (int y = top; y < top + 8; ++y) {
            EXPECT_EQ(image.Pixel(right, y), image.Pixel(right, y + 8)) << y;
            EXPECT_EQ(image.Pixel(100, y), image.Pixel(100, y + 8)) << y;
        }
        // Towards the left edge the rulings fade out to (almost) white.
        const COLORREF left = image.Pixel(0, top);
        EXPECT_GE(GetRValue(left), 240);
        EXPECT_GE(GetGValue(left), 240);
    });
}

TEST_F(ListFilesScreenTest, EmptyFolderShowsNoRowsAndNoMessage) {
    uitest::MessageBoxRecorder boxes;
    CListFilesDlg screen(*m_listing);
    int rowCount = -1;
    uitest::RunModal(screen, [&] { rowCount = screen.GetListCtrl().GetItemCount(); });
    EXPECT_EQ(rowCount, 0);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(ListFilesScreenTest, TapOnARowSelectsItAndBesideTheRowsKeepsTheSelectionWithoutAMenu) {
    WriteList(Path(u"A.crv"), 1);
    WriteList(Path(u"B.crv"), 2);
    uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
    uitest::MenuRecorder menus;
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        uitest::Tap(screen.GetListCtrl(), RowPoint(screen, 1));
        EXPECT_EQ(screen.GetSelectedRow(), 1);
        EXPECT_EQ(CWnd::GetFocus(), &screen.GetListCtrl());
        uitest::Tap(screen.GetListCtrl(), RowPoint(screen, 0));
        EXPECT_EQ(screen.GetSelectedRow(), 0);
        uitest::Tap(screen.GetListCtrl(), BelowRows(screen));
        EXPECT_EQ(screen.GetSelectedRow(), 0);
    });
    EXPECT_TRUE(menus.Shown().empty());
}

TEST_F(ListFilesScreenTest, HoldOnARowSelectsItAndOpensTheDocumentMenuAtThePen) {
    WriteList(Path(u"A.crv"), 1);
    WriteList(Path(u"B.crv"), 2);
    CListFilesDlg screen(*m_listing);
    CPoint penOnScreen;
    std::optional<int> selectedWhenMenuOpened;
    uitest::RunModal(screen, [&] {
        CListFilesCtrl& list = screen.GetListCtrl();
        const CPoint pen = RowPoint(screen, 1);
        penOnScreen = pen;
        list.ClientToScreen(&penOnScreen);
        uitest::MenuRecorder watching([&](const uitest::ShownMenu&) {
            selectedWhenMenuOpened = screen.GetSelectedRow();
            return 0u;
        });
        uitest::Hold(list, pen);
        EXPECT_EQ(watching.Shown().size(), 1u);
        if (!watching.Shown().empty()) {
            const uitest::ShownMenu& menu = watching.Shown()[0];
            EXPECT_EQ(menu.screenPoint, penOnScreen);
            std::vector<std::u16string> texts;
            for (const auto& entry : menu.entries) {
                texts.push_back(entry.separator ? u"-" : entry.text);
            }
            EXPECT_EQ(texts,
                      (std::vector<std::u16string>{u"Open", u"Rename", u"-", u"Export...", u"-", u"Delete"}));
        }
    });
    EXPECT_EQ(selectedWhenMenuOpened, 1);
}

TEST_F(ListFilesScreenTest, RightClickCountsAsAHold) {
    WriteList(Path(u"A.crv"), 1);
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        uitest::MenuRecorder menus;
        uitest::RightClick(screen.GetListCtrl(), RowPoint(screen, 0));
        EXPECT_EQ(menus.Shown().size(), 1u);
        EXPECT_EQ(screen.GetSelectedRow(), 0);
    });
}

TEST_F(ListFilesScreenTest, HoldBesideTheRowsOpensTheSameMenuAndKeepsTheSelection) {
    WriteList(Path(u"A.crv"), 1);
    WriteList(Path(u"B.crv"), 2);
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        {
            uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
            uitest::Tap(screen.GetListCtrl(), RowPoint(screen, 1));
        }
        uitest::MenuRecorder menus;
        uitest::Hold(screen.GetListCtrl(), BelowRows(screen));
        ASSERT_EQ(menus.Shown().size(), 1u);
        EXPECT_EQ(menus.Shown()[0].entries.size(), 6u);
        EXPECT_EQ(screen.GetSelectedRow(), 1);
    });
}

// The menu bar's drop-downs, as a user opens them: the screen menu's popups in order, every command enabled
// (those that need a selected list do nothing without one).
TEST_F(ListFilesScreenTest, MenuBarOpensTheFourMenusOfTheScreen) {
    struct Expected {
        CPoint button; // where the drop-down button sits on the device screen
        std::vector<std::pair<std::u16string, bool>> entries; // text ("-" for a line) and enabled
    };
    const std::vector<Expected> menus = {
        {{20, 310}, {{u"Create New List", true}, {u"-", false}, {u"Import...", true}}},
        {{70, 310},
         {{u"Open", true},
          {u"Rename", true},
          {u"-", false},
          {u"Export...", true},
          {u"-", false},
          {u"Delete", true}}},
        {{115, 310}, {{u"Refresh", true}}},
        {{150, 310}, {{u"About Corvina", true}}},
    };
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        for (const Expected& expected : menus) {
            uitest::MenuRecorder recorder;
            uitest::TapScreen(expected.button);
            ASSERT_EQ(recorder.Shown().size(), 1u) << expected.button.x;
            std::vector<std::pair<std::u16string, bool>> entries;
            for (const auto& entry : recorder.Shown()[0].entries) {
                entries.emplace_back(entry.separator ? u"-" : entry.text,
                                     entry.separator ? false : entry.enabled);
            }
            EXPECT_EQ(entries, expected.entries) << expected.button.x;
        }
    });
}

TEST_F(ListFilesScreenTest, RefreshShowsWhatTheFolderHoldsNow) {
    WriteList(Path(u"A.crv"), 1);
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        WriteList(Path(u"B.crv"), 2);
        std::filesystem::remove(Host(Path(u"A.crv")));
        screen.SendCommand(ID_VIEW_REFRESH);
        EXPECT_EQ(Rows(screen), (std::vector<Row>{{u"B", u"3/5/04", u"2 items"}}));
    });
}

TEST_F(ListFilesScreenTest, GettingTheFocusBackShowsAListAddedMeanwhile) {
    WriteList(Path(u"A.crv"), 1);
    CListFilesDlg screen(*m_listing);
    std::size_t afterScreenClosed = 0;
    std::size_t afterBoxClosed = 0;
    uitest::RunModal(screen, [&] {
        // A screen over the list (as the list editor will be) saves a list, then closes.
        CAboutDlg above;
        uitest::RunModal(above, [&] { WriteList(Path(u"B.crv"), 5); });
        afterScreenClosed = Rows(screen).size();
        // A message box over the list closes.
        uitest::MessageBoxRecorder boxes;
        WriteList(Path(u"C.crv"), 5);
        AfxMessageBox(u"Delete 'B'?", MB_YESNO | MB_ICONQUESTION);
        afterBoxClosed = Rows(screen).size();
    });
    EXPECT_EQ(afterScreenClosed, 2u);
    EXPECT_EQ(afterBoxClosed, 3u);
}

TEST_F(ListFilesScreenTest, EnterBecomesOpenForTheFocusedWindowAndNeverClosesTheScreen) {
    WriteList(Path(u"A.crv"), 1);
    CCorvinaApp app(Device());
    app.LoadShortcuts();
    CListFilesDlg screen(*m_listing);
    int opened = 0;
    std::optional<int> selectedAtOpen;
    screen.GetCommandMap().OnCommand(ID_FILE_OPEN, [&] {
        ++opened;
        selectedAtOpen = screen.GetSelectedRow();
    });
    bool stillRunning = false;
    uitest::RunModal(screen, [&] {
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        uitest::Tap(screen.GetListCtrl(), RowPoint(screen, 0));
        uitest::PressKey(VK_RETURN);
        stillRunning = screen.IsModalRunning();
    });
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(selectedAtOpen, 0);
    EXPECT_TRUE(stillRunning);
}

// One damaged list file used to empty the whole list; now it keeps a marked row, the others theirs.
TEST_F(ListFilesScreenTest, UnreadableFileKeepsAMarkedRowAndIsReportedOnce) {
    WriteList(Path(u"Good.crv"), 2, {2004, 3, 5});
    WriteFile(Path(u"Empty.crv"), {}, {2005, 6, 7});
    uitest::MessageBoxRecorder boxes;
    CListFilesDlg screen(*m_listing);
    std::vector<Row> rows;
    uitest::RunModal(screen, [&] {
        rows = Rows(screen);
        // Neither a refresh nor the focus coming back reports it again while it stays as it is.
        screen.SendCommand(ID_VIEW_REFRESH);
        screen.SetFocus();
        screen.GetListCtrl().SetFocus();
        screen.SetFocus();
    });
    EXPECT_EQ(std::set<Row>(rows.begin(), rows.end()),
              (std::set<Row>{{u"Good", u"3/5/04", u"2 items"}, {u"Empty", u"6/7/05", u"Error"}}));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].title, u"Corvina");
    EXPECT_EQ(boxes.Shown()[0].text, kEmptyEndsEarly);
    EXPECT_EQ(boxes.Shown()[0].type, MB_OK | MB_ICONSTOP);
}

TEST_F(ListFilesScreenTest, UnreadableFileIsReportedAgainAfterItChanged) {
    WriteFile(Path(u"Cut.crv"), {0xEF, 0xBE}, {2005, 6, 7});
    uitest::MessageBoxRecorder boxes;
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        WriteFile(Path(u"Cut.crv"), {0xEF, 0xBE, 0xAD, 0xDE}, {2005, 6, 8});
        screen.SendCommand(ID_VIEW_REFRESH);
        WriteList(Path(u"Cut.crv"), 4);
        screen.SendCommand(ID_VIEW_REFRESH);
        EXPECT_EQ(Rows(screen), (std::vector<Row>{{u"Cut", u"3/5/04", u"4 items"}}));
    });
    EXPECT_EQ(boxes.Shown().size(), 2u);
}

// The box takes the focus and gives it back when it closes; that refresh finds nothing new to
// report, so the screen settles instead of refreshing for ever.
TEST_F(ListFilesScreenTest, FocusComingBackFromTheReportDoesNotRefreshForEver) {
    WriteFile(Path(u"Empty.crv"), {}, {2005, 6, 7});
    int shown = 0;
    uitest::MessageBoxRecorder boxes([&](const uitest::ShownMessageBox&) {
        ++shown;
        return IDOK;
    });
    CListFilesDlg screen(*m_listing);
    std::size_t rows = 0;
    uitest::RunModal(screen, [&] {
        // Another box closing gives the focus back too: the refresh it starts reports nothing new.
        AfxMessageBox(u"Something else", MB_OK);
        uitest::ProcessEvents();
        rows = Rows(screen).size();
    });
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(rows, 1u);
}

// --- Many lists: columns kept whole, whole-row scrolling, the wheel and the keys ----------------------

/// Below this grey level (of 255) a pixel of the rows counts as the text's ink.
constexpr int kInkBelow = 128;
/// The row height of the 13-pixel list font: the cell and 4 pixels of room.
constexpr int kRowHeight = 17;
/// The columns' left edges (130 and 55 pixels wide) and the 3-pixel gap before their text.
constexpr int kDateColumnLeft = 130;
constexpr int kCountColumnLeft = 185;
/// The list view's vertical scroll bar, 11 pixels wide along the right edge of the 240-pixel view.
constexpr int kVerticalBarLeft = 229;

int Grey(COLORREF colour) {
    return (GetRValue(colour) + GetGValue(colour) + GetBValue(colour)) / 3;
}

/// The first and last columns from `left` (inclusive) to `right` (exclusive) with ink in `rows`,
/// or {-1, -1}.
std::pair<int, int> InkSpan(const uitest::GrabbedImage& image, int left, int right, int top, int bottom) {
    int first = -1;
    int last = -1;
    for (int x = left; x < right; ++x) {
        for (int y = top; y < bottom; ++y) {
            if (Grey(image.Pixel(x, y)) < kInkBelow) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

class ManyListsTest : public ListFilesScreenTest {
protected:
    void SetUp() override {
        ListFilesScreenTest::SetUp();
        // Written in an order the name order must undo.
        for (int n : {28, 3, 17, 1, 2, 10}) {
            WriteList(Path(u"List " + Widen(std::to_string(n)) + u".crv"), 28, {2009, 12, 31});
        }
        for (int n = 4; n <= 27; ++n) {
            if (n != 10 && n != 17) {
                WriteList(Path(u"List " + Widen(std::to_string(n)) + u".crv"), 28, {2009, 12, 31});
            }
        }
    }

    /// The row at the top edge of the view.
    static int TopRow(CListFilesDlg& screen) {
        CListFilesCtrl& list = screen.GetListCtrl();
        for (int row = 0; row < list.GetItemCount(); ++row) {
            CRect rect;
            list.GetItemRect(row, &rect);
            if (rect.bottom > 0) {
                EXPECT_EQ(rect.top, 0) << "the top row is whole";
                return row;
            }
        }
        return -1;
    }
};

// The rows in view are read before the screen shows; the rest while it waits for the user, and a
// damaged file among them is reported once that reading is done.
TEST_F(ManyListsTest, RowsOutOfViewAreReadWhileTheScreenWaitsAndTheirDamageIsReportedAfter) {
    uitest::MessageBoxRecorder boxes;
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        WriteFile(Path(u"Zebra.crv"), {0xEF, 0xBE, 0xAD, 0xDE, 0x03}, {2005, 6, 7});
        screen.SendCommand(ID_VIEW_REFRESH);
        const auto& records = m_listing->Records();
        ASSERT_EQ(records.size(), 29u);
        const auto shown = static_cast<std::size_t>(screen.GetListCtrl().GetCountPerPage() + 1);
        ASSERT_LT(shown, records.size());
        for (std::size_t row = 0; row < records.size(); ++row) {
            EXPECT_EQ(records[row].columns.empty(), row >= shown) << "row " << row;
        }
        EXPECT_TRUE(boxes.Shown().empty()) << "the damaged file has not been read yet";

        for (int step = 0; step < 10 && !m_listing->AllDetailsRead(); ++step) {
            uitest::ProcessEvents();
        }
        EXPECT_TRUE(m_listing->AllDetailsRead());
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].text, u"An attempt was made to access Zebra.crv past its end.");
        EXPECT_EQ(Rows(screen).back(), (Row{u"Zebra", u"6/7/05", u"Error"}));
        EXPECT_EQ(Rows(screen)[20], (Row{u"List 21", u"12/31/09", u"28 items"}));
    });
    EXPECT_EQ(boxes.Shown().size(), 1u);
}

TEST_F(ManyListsTest, RowsComeInNameOrderWithNumbersByValue) {
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        const std::vector<Row> rows = Rows(screen);
        ASSERT_EQ(rows.size(), 28u);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i][0], u"List " + Widen(std::to_string(i + 1)));
        }
    });
}

TEST_F(ManyListsTest, DateAndCountShowWholeAndTheColumnsScrollSidewaysPastTheScrollBar) {
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        CListFilesCtrl& list = screen.GetListCtrl();
        CRect client;
        list.GetClientRect(&client);
        const uitest::GrabbedImage before = uitest::Grab(list);
        // "12/31/09" is 44 pixels at the list font's 11-pixel em: it fits its 49-pixel cell whole.
        const auto [dateFirst, dateLast] = InkSpan(before, kDateColumnLeft, kCountColumnLeft, 0, kRowHeight);
        EXPECT_GE(dateLast - dateFirst + 1, 42) << "no \"12/31...\"";
        EXPECT_LE(dateLast - dateFirst + 1, 44);
        // The columns (240 pixels) are wider than the 229 pixels beside the vertical bar: a horizontal
        // bar along the bottom scrolls them, and the rows end above it.
        CRect lastRow;
        list.GetItemRect(list.GetItemCount() - 1, &lastRow);
        uitest::Tap(list,
                    CPoint(kVerticalBarLeft - 20, client.bottom - 5)); // the bar's track, right of its handle
        const uitest::GrabbedImage after = uitest::Grab(list);
        // "28 items" (42 pixels) now ends 11 pixels further left, clear of the vertical bar.
        const auto [countFirst, countLast] =
            InkSpan(after, kCountColumnLeft - 11, kVerticalBarLeft, 0, kRowHeight);
        EXPECT_GE(countFirst, kCountColumnLeft - 11 + 3) << "the text starts 3 pixels into its column";
        EXPECT_LE(countFirst, kCountColumnLeft - 11 + 4) << "and the 2 a pixel in from its side";
        EXPECT_GE(countLast - countFirst + 1, 40) << "the whole count shows";
        EXPECT_LT(countLast, kVerticalBarLeft);
    });
}

TEST_F(ManyListsTest, TheWheelScrollsThreeWholeRowsANotchAndTheTrackAPage) {
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        CListFilesCtrl& list = screen.GetListCtrl();
        uitest::TurnWheel(list, RowPoint(screen, 1), -1);
        EXPECT_EQ(TopRow(screen), 3);
        uitest::TurnWheel(list, RowPoint(screen, 4), -2);
        EXPECT_EQ(TopRow(screen), 9);
        uitest::TurnWheel(list, RowPoint(screen, 10), 1);
        EXPECT_EQ(TopRow(screen), 6);
        CRect client;
        list.GetClientRect(&client);
        uitest::Tap(list, CPoint(kVerticalBarLeft + 5, client.bottom - 30)); // the track below the handle
        const int paged = TopRow(screen);
        EXPECT_GT(paged, 6);
        uitest::TurnWheel(list, RowPoint(screen, paged), -20);
        CRect last;
        list.GetItemRect(list.GetItemCount() - 1, &last);
        EXPECT_LE(last.bottom, client.bottom) << "the last row shows whole at the end";
        TopRow(screen);
    });
}

TEST_F(ManyListsTest, HomeEndAndThePageKeysMoveTheSelectionAndKeepItInView) {
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        CListFilesCtrl& list = screen.GetListCtrl();
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        uitest::Tap(list, RowPoint(screen, 0));
        CRect client;
        list.GetClientRect(&client);
        const int rowsInView = (client.Height() - 11) / kRowHeight;
        uitest::PressKey(VK_END);
        EXPECT_EQ(screen.GetSelectedRow(), 27);
        CRect rect;
        list.GetItemRect(27, &rect);
        EXPECT_LE(rect.bottom, client.bottom - 11) << "in view, above the horizontal bar";
        uitest::PressKey(VK_HOME);
        EXPECT_EQ(screen.GetSelectedRow(), 0);
        EXPECT_EQ(TopRow(screen), 0);
        uitest::PressKey(VK_NEXT);
        EXPECT_EQ(screen.GetSelectedRow(), rowsInView - 1) << "to the last row of the page";
        uitest::PressKey(VK_NEXT);
        EXPECT_EQ(screen.GetSelectedRow(), 2 * (rowsInView - 1));
        uitest::PressKey(VK_PRIOR);
        EXPECT_EQ(screen.GetSelectedRow(), rowsInView - 1);
    });
}

TEST_F(ManyListsTest, EscapeAfterATapOnTheScrollBarClosesTheScreen) {
    CListFilesDlg screen(*m_listing);
    bool runningAfterEscape = true;
    uitest::RunModal(screen, [&] {
        CListFilesCtrl& list = screen.GetListCtrl();
        CRect client;
        list.GetClientRect(&client);
        uitest::Tap(list, CPoint(kVerticalBarLeft + 5, client.bottom - 30));
        uitest::PressKey(VK_ESCAPE);
        runningAfterEscape = screen.IsModalRunning();
        if (runningAfterEscape) {
            screen.EndDialog(IDCANCEL);
        }
    });
    EXPECT_FALSE(runningAfterEscape);
}

TEST_F(ListFilesScreenTest, ANameThatIsNotUtf8IsShownDecodedAndKeepsItsBytesForDeleting) {
    // "Café" written by an older device in Windows-1252: 0xE9 is é there and no UTF-8 at all.
    const std::filesystem::path host = Host(kLists) / std::string("Caf\xE9.crv");
    const std::vector<std::uint8_t> header = shelltest::ListHeader(2);
    std::ofstream(host, std::ios::binary).write(reinterpret_cast<const char*>(header.data()), 12);
    SetLastWrite(host, {2004, 3, 5});
    CListFilesDlg screen(*m_listing);
    std::u16string fileName;
    uitest::RunModal(screen, [&] {
        EXPECT_EQ(Rows(screen), (std::vector<Row>{{u"Caf\u00e9", u"3/5/04", u"2 items"}}));
        fileName = screen.GetRowFileName(0);
    });
    EXPECT_TRUE(DeleteFile(Device(), std::u16string(kLists) + u"\\" + fileName))
        << "the real file is found by the kept name";
    EXPECT_FALSE(std::filesystem::exists(host));
}

} // namespace
