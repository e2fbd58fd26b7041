// The list editor as a user first meets it: the title line, the rows in the document's order with
// their quantities, importance marks and notes marks, the menu bar and the tool buttons.
#include "EditorTestSupport.h"

#include "res/ResourceIds.h"

namespace {

using editortest::EditorTest;
using editortest::Row;
using editortest::kListsFolder;

TEST_F(EditorTest, ShowsTheListsItemsInPreOrderUnderItsTitle) {
    TaskNode* food = Add(u"Food");
    Add(u"Milk", food, 2);
    Add(u"Bread", food);
    Add(u"Stamps");
    doc.SetPathName(kListsFolder + u"Groceries.crv");
    CListEditorDlg editor(kListsFolder, &doc);
    std::vector<Row> rows;
    std::u16string title;
    RunEditor(editor, [&] {
        rows = editortest::ShownRows(editor.GetTreeCtrl());
        title = editor.GetTitleLine().GetWindowText();
    });
    EXPECT_EQ(title, u"Groceries");
    EXPECT_EQ(rows, (std::vector<Row>{{0, u"Food"}, {1, u"Milk"}, {1, u"Bread"}, {0, u"Stamps"}}));
}

}  // namespace
