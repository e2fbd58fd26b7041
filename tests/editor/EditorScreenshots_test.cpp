// Pictures of the list editor (a sample list with rows at several levels, ticked and unticked, a
// selection, notes marks, "*" in the title line and the List menu open) and of both pages of the
// item details sheet, at twice the device's size. With CORVINA_UPDATE_DOCS set they also replace
// the README's pictures in docs/.
#include "EditorTestSupport.h"

#include "res/ResourceIds.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kScale = 2;
constexpr int kDeviceWidth = 240;
constexpr int kDeviceHeight = 320;
/// The List button at the menu bar's left end.
const CPoint kListButton(10, 307);

/// Writes the picture beside the test and, when asked, into docs/.
void Keep(const uitest::GrabbedImage& image, const std::string& name) {
    EXPECT_EQ(image.Width(), kScale * kDeviceWidth);
    EXPECT_EQ(image.Height(), kScale * kDeviceHeight);
    EXPECT_TRUE(image.SavePng(name));
    if (const char* docs = std::getenv("CORVINA_UPDATE_DOCS"); docs != nullptr && *docs != '\0') {
        const std::filesystem::path target = std::filesystem::path(CORVINA_SOURCE_DIR) / "docs" / name;
        EXPECT_TRUE(image.SavePng(target.string()));
    }
}

class EditorScreenshots : public editortest::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        TaskNode* groceries = Add(u"Groceries for the weekend", nullptr, 1, TaskItem::kHighImportance);
        Add(u"Milk  2%", groceries, 2, TaskItem::kNormalImportance, u"The skimmed one")->item.checked = 1;
        TaskNode* bread = Add(u"Bread", groceries, 1);
        Add(u"Rye, sliced", bread, 1, TaskItem::kLowImportance);
        Add(u"Eggs from the farm shop on the corner, free range if they have them", groceries, 12)
            ->item.checked = 1;
        TaskNode* camping = Add(u"Camping trip");
        Add(u"Tent", camping)->item.checked = 1;
        Add(u"Sleeping bag", camping, 2);
        Add(u"Camping stove and two gas cartridges", camping, 1, TaskItem::kLowImportance,
            u"Check the seals");
        Add(u"Water the tomatoes", nullptr, 1, TaskItem::kLowImportance);
        Add(u"Post the letters", nullptr, 3, TaskItem::kHighImportance);
        doc.SetPathName(editortest::kListsFolder + u"Weekend.crv");
    }
};

TEST_F(EditorScreenshots, TheEditorWithItsListMenuAndBothSheetPages) {
    CListEditorDlg editor(Device(), editortest::kListsFolder, &doc);
    bool menuShot = false;
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        // Tick "Bread" and select "Sleeping bag".
        const CRect bread = rows.GetCheckBoxRect(rows.GetShownRows()[2]);
        uitest::Tap(rows, CPoint(bread.left + 5, bread.top + 5));
        uitest::Tap(rows, editortest::RowPoint(rows, rows.GetShownRows()[7]));
        ASSERT_EQ(editor.GetTitleLine().GetWindowText(), u"Weekend*");

        uitest::WhenPopupShown([&] {
            Keep(uitest::GrabDevice(kScale), "editor.png");
            menuShot = true;
            uitest::PressKey(VK_ESCAPE);
        });
        uitest::TapScreen(kListButton);

        editortest::InNextSheet([&](CItemDetailsPropSheet& sheet) {
            Keep(uitest::GrabDevice(kScale), "item-general.png");
            ASSERT_TRUE(sheet.SetActivePage(1));
            Keep(uitest::GrabDevice(kScale), "item-notes.png");
            sheet.SendCommand(IDCANCEL);
        });
        uitest::Tap(rows, editortest::RowPoint(rows, rows.GetShownRows()[9]));
        editor.SendCommand(ID_ITEM_EDIT);
    });
    EXPECT_TRUE(menuShot);
}

} // namespace
