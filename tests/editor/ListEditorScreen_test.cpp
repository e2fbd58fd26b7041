// The list editor as a user first meets it: the title line, the rows in the document's order with
// their quantities, importance marks and notes marks, the menu bar with its tool buttons, and which
// commands the menus offer with and without a selected row.
#include "EditorTestSupport.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Icon.h"
#include "platform/ui/testing/PictureProbe.h"
#include "res/ResourceIds.h"

#include <map>

namespace {

using editortest::EditorTest;
using editortest::kListsFolder;
using editortest::Row;

/// Where a top-level row's importance mark sits: 16 (check column) + 52 (quantity column) + 19.
constexpr int kTopLevelMarkLeft = 87;
constexpr int kMarkSize = 12;
/// The background of the first and second rows.
constexpr COLORREF kEvenRowColour = RGB(223, 227, 247);
constexpr COLORREF kOddRowColour = RGB(244, 245, 190);
/// The menu bar's strip on the device screen: 294 to 319.
constexpr int kMenuBarMiddle = 307;

bool IsRed(COLORREF c) {
    return GetRValue(c) > 150 && GetGValue(c) < 80 && GetBValue(c) < 80;
}
bool IsGreen(COLORREF c) {
    return GetGValue(c) > 120 && GetRValue(c) < 100 && GetBValue(c) < 120;
}
bool IsKeyColour(COLORREF c) {
    return c == RGB(255, 0, 0);
}

/// The colours inside a row's importance mark square.
std::vector<COLORREF> MarkPixels(const uitest::GrabbedImage& image, const CRect& row) {
    std::vector<COLORREF> pixels;
    for (int y = row.top + 1; y < row.top + 1 + kMarkSize; ++y) {
        for (int x = kTopLevelMarkLeft; x < kTopLevelMarkLeft + kMarkSize; ++x) {
            pixels.push_back(image.Pixel(x, y));
        }
    }
    return pixels;
}

TEST_F(EditorTest, ShowsTheListsItemsInPreOrderWithQuantitiesAndMarks) {
    TaskNode* food = Add(u"Food", nullptr, 4294967295u, TaskItem::kHighImportance);
    Add(u"Milk", food, 2, TaskItem::kNormalImportance, u"The skimmed one");
    Add(u"Bread", food, 0, TaskItem::kLowImportance);
    Add(u"Stamps", nullptr, 2147483648u);
    doc.SetPathName(kListsFolder + u"Groceries.crv");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        EXPECT_EQ(editortest::ShownRows(rows),
                  (std::vector<Row>{{0, u"Food"}, {1, u"Milk"}, {1, u"Bread"}, {0, u"Stamps"}}));
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Groceries");
        EXPECT_FALSE(doc.IsModified());

        // Each row points at its item and shows the quantity unsigned, never as a negative number.
        const std::vector<VisualNode*>& shown = rows.GetShownRows();
        std::vector<std::u16string> quantities;
        for (VisualNode* row : shown) {
            quantities.emplace_back(row->item.columnTexts[0]);
        }
        EXPECT_EQ(quantities, (std::vector<std::u16string>{u"4294967295", u"2", u"0", u"2147483648"}));
        EXPECT_EQ(reinterpret_cast<TaskNode*>(rows.GetItemData(shown[0])), food);
        EXPECT_EQ(shown[1]->item.checkedFlag, &food->ChildAt(0)->item.checked);

        // The notes mark only where there are notes.
        EXPECT_FALSE(rows.GetNotesRect(shown[1]).IsRectNull());
        EXPECT_TRUE(rows.GetNotesRect(shown[0]).IsRectNull());

        // Importance marks: red for high, nothing for normal, green for low; never the key colour.
        const uitest::GrabbedImage image = uitest::Grab(rows);
        const auto high = MarkPixels(image, rows.GetItemRect(shown[0]));
        const auto normal = MarkPixels(image, rows.GetItemRect(shown[3]));
        EXPECT_TRUE(std::ranges::any_of(high, IsRed));
        EXPECT_TRUE(std::ranges::none_of(high, IsKeyColour));
        EXPECT_TRUE(std::ranges::all_of(normal, [](COLORREF c) { return c == kOddRowColour; }));
        const CRect breadRow = rows.GetItemRect(shown[2]);
        bool lowIsGreen = false;
        for (int y = breadRow.top + 1; y < breadRow.top + 1 + kMarkSize; ++y) {
            for (int x = kTopLevelMarkLeft + 10; x < kTopLevelMarkLeft + 10 + kMarkSize; ++x) {
                lowIsGreen = lowIsGreen || IsGreen(image.Pixel(x, y));
            }
        }
        EXPECT_TRUE(lowIsGreen) << "a sub-row's mark sits one indentation step further right";
        EXPECT_EQ(image.Pixel(kTopLevelMarkLeft - 2, rows.GetItemRect(shown[0]).top + 6), kEvenRowColour);
    });
}

TEST_F(EditorTest, TheEditorsPicturesHaveTheirSizes) {
    const std::vector<std::pair<UINT, CSize>> pictures = {
        {139, {12, 12}}, {140, {12, 12}}, {141, {12, 12}}, {160, {48, 16}}, {171, {32, 16}}};
    for (const auto& [id, size] : pictures) {
        CBitmap picture;
        ASSERT_TRUE(picture.LoadBitmap(id)) << id;
        EXPECT_EQ(picture.GetSize(), size) << id;
    }
}

// The device window shows the application icon for the editor, and takes it away with the editor.
TEST_F(EditorTest, ShowsTheApplicationIconAsBothItsIconsWhileItRuns) {
    const HICON appIcon = LoadIconResource(128);
    ASSERT_NE(appIcon, nullptr);
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    HICON big = nullptr;
    HICON small = nullptr;
    std::optional<uitest::IconOpacity> shown;
    RunEditor(editor, [&] {
        big = editor.GetIcon(true);
        small = editor.GetIcon(false);
        shown = uitest::DeviceIconOpacity();
    });
    EXPECT_EQ(big, appIcon);
    EXPECT_EQ(small, appIcon);
    ASSERT_TRUE(shown.has_value());
    // The application icon: 32 x 32, solid in the middle with a see-through surround.
    EXPECT_EQ(shown->size, CSize(32, 32));
    EXPECT_EQ(shown->AlphaAt(0, 0), 0);
    EXPECT_EQ(shown->AlphaAt(16, 16), 255);
    EXPECT_FALSE(uitest::DeviceIconOpacity().has_value()) << "the icon goes with the editor";
}

// The mark is the editor's own: a list whose name ends in "*" keeps that star when it is saved.
TEST_F(EditorTest, TheModifiedMarkComesAndGoesAfterTheTitlesOwnStar) {
    Add(u"Tent");
    doc.SetPathName(kListsFolder + u"To do*.crv");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    std::vector<std::u16string> lines;
    RunEditor(editor, [&] {
        lines.push_back(editor.GetTitleLine().GetWindowText());
        editor.SendCommand(ID_LIST_CHECKALL);
        lines.push_back(editor.GetTitleLine().GetWindowText());
        editor.SendCommand(ID_FILE_SAVE);
        lines.push_back(editor.GetTitleLine().GetWindowText());
    });
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"To do*", u"To do**", u"To do*"}));
}

TEST_F(EditorTest, TitleLineDropsOnlyTheExactListExtensionInTheTitleFont) {
    const std::vector<std::pair<std::u16string, std::u16string>> titles = {{u"Groceries.crv", u"Groceries"},
                                                                           {u"Untitled", u"Untitled"},
                                                                           {u"LOUD.CRV", u"LOUD.CRV"},
                                                                           {u".crv", u""}};
    for (const auto& [title, shown] : titles) {
        CCorvinaDoc list;
        list.SetTitle(title);
        CListEditorDlg editor(Device(), kListsFolder, &list);
        std::u16string line;
        LOGFONT font;
        std::u16string caption;
        bool captionOk = false;
        uitest::RunModal(editor, [&] {
            line = editor.GetTitleLine().GetWindowText();
            font = editor.GetTitleLine().GetFont()->GetLogFont();
            caption = editor.GetWindowText();
            captionOk = editor.HasCaptionOkButton();
        });
        EXPECT_EQ(line, shown) << std::string(title.begin(), title.end());
        EXPECT_EQ(font.lfFaceName, u"Tahoma");
        EXPECT_EQ(font.lfHeight, 16);
        EXPECT_EQ(font.lfWeight, 600);
        EXPECT_EQ(font.lfItalic, 0);
        EXPECT_EQ(caption, u"Corvina");
        EXPECT_TRUE(captionOk);
    }
}

/// What a tap at each x along the menu bar did, left to right, with repeats of one button merged.
enum class BarAction { Nothing, ListMenu, ItemMenu, AddItemSheet, MovedUp, MovedDown };

TEST_F(EditorTest, MenuBarHoldsListAndItemThenAddASeparatorAndTheMoveButtons) {
    // Forty items, the fifteenth selected, so each tap on a move button moves it one place.
    for (int i = 0; i < 40; ++i) {
        Add(u"Item " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
    }
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    std::vector<BarAction> actions;
    std::map<BarAction, std::vector<std::pair<std::u16string, bool>>> menus;
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        TaskNode* selected = doc.tree.root.ChildAt(14);
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        uitest::Tap(rows, editortest::RowPoint(rows, rows.GetShownRows()[14]));
        ASSERT_EQ(editortest::NodeOfSelection(rows), selected);
        bool sheetCameUp = false;
        for (int x = 0; x < 200; x += 2) {
            BarAction action = BarAction::Nothing;
            const std::size_t before = doc.tree.root.IndexOfChild(selected);
            sheetCameUp = false;
            editortest::InNextSheet([&](CItemDetailsPropSheet&) { sheetCameUp = true; });
            uitest::MenuRecorder recorder;
            uitest::TapScreen(CPoint(x, kMenuBarMiddle));
            uitest::ProcessEvents();
            const std::size_t after = doc.tree.root.IndexOfChild(selected);
            if (!recorder.Shown().empty()) {
                const bool isList = recorder.Shown()[0].entries[0].commandId == ID_LIST_ADDITEM;
                action = isList ? BarAction::ListMenu : BarAction::ItemMenu;
                auto& entries = menus[action];
                entries.clear();
                for (const auto& entry : recorder.Shown()[0].entries) {
                    entries.emplace_back(entry.separator ? u"-" : entry.text, entry.enabled);
                }
            } else if (sheetCameUp) {
                action = BarAction::AddItemSheet;
            } else if (after < before) {
                action = BarAction::MovedUp;
            } else if (after > before) {
                action = BarAction::MovedDown;
            }
            if (actions.empty() || actions.back() != action) {
                actions.push_back(action);
            }
        }
        // The watches for a sheet that did not come up go on looking for a few turns of the event
        // loop; they run out here, while the flag they would set still exists, and not in a later
        // test that opens a sheet.
        constexpr int kTurnsAWatchLooks = 25;
        for (int turn = 0; turn < kTurnsAWatchLooks; ++turn) {
            uitest::ProcessEvents();
        }
    });
    EXPECT_EQ(actions,
              (std::vector<BarAction>{BarAction::ListMenu, BarAction::ItemMenu, BarAction::AddItemSheet,
                                      BarAction::Nothing, BarAction::MovedUp, BarAction::MovedDown,
                                      BarAction::Nothing}));
    using Entries = std::vector<std::pair<std::u16string, bool>>;
    EXPECT_EQ(menus[BarAction::ListMenu], (Entries{{u"Add Item", true},
                                                   {u"-", false},
                                                   {u"Check all items", true},
                                                   {u"Uncheck all items", true},
                                                   {u"-", false},
                                                   {u"Save", true},
                                                   {u"Save as...", true},
                                                   {u"Close", true}}));
    EXPECT_EQ(menus[BarAction::ItemMenu], (Entries{{u"Add Subitem", true},
                                                   {u"-", false},
                                                   {u"Edit Item", true},
                                                   {u"Delete Item", true},
                                                   {u"-", false},
                                                   {u"Move up", true},
                                                   {u"Move down", true}}));
}

} // namespace
