// What the editor tests share: a private device root with a Lists folder, a document to edit, the
// editor's rows read back as (level, title) pairs, and a way to act inside the item details sheet
// that a command opens.
#pragma once

#include "support/DeviceRootFixture.h"

#include "editor/ItemDetailsPropSheet.h"
#include "editor/ListEditorDlg.h"
#include "model/CorvinaDoc.h"
#include "platform/ui/Resources.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace editortest {

/// The Lists folder of the tests' device, with the backslash the editor is given.
inline const std::u16string kListsFolder = u"\\Program Files\\Corvina\\Lists\\";

/// One shown row: its depth and its title.
using Row = std::pair<int, std::u16string>;

/// The rows as the control last laid them out, top to bottom.
inline std::vector<Row> ShownRows(CVisualTreeCtrl& rows) {
    std::vector<Row> shown;
    for (const VisualNode* row : rows.GetShownRows()) {
        shown.emplace_back(rows.GetItemLevel(row), row->item.text);
    }
    return shown;
}

/// The document's items in pre-order, as (level, title).
inline std::vector<Row> DocumentItems(const CCorvinaDoc& doc) {
    std::vector<Row> items;
    doc.tree.Walk([&](const TaskNode& node, std::size_t depth) {
        items.emplace_back(static_cast<int>(depth), node.item.title);
    });
    return items;
}

/// The details sheet in front, found from the focused field; null when none is.
inline CItemDetailsPropSheet* FrontSheet() {
    for (CWnd* w = CWnd::GetFocus(); w != nullptr; w = w->GetParent()) {
        if (auto* sheet = dynamic_cast<CItemDetailsPropSheet*>(w)) {
            return sheet;
        }
    }
    return nullptr;
}

/// Runs `act` on the details sheet as soon as the sheet a command opens is up; a sheet that `act`
/// left open is cancelled afterwards, so no test hangs in it.
inline void InNextSheet(std::function<void(CItemDetailsPropSheet&)> act) {
    uitest::Soon([act = std::move(act)] {
        CItemDetailsPropSheet* sheet = FrontSheet();
        ASSERT_NE(sheet, nullptr) << "no details sheet came up";
        act(*sheet);
        if (sheet->IsModalRunning()) {
            sheet->EndDialog(IDCANCEL);
        }
    });
}

/// A device root with an installed Lists folder, the program's resources and a document.
class EditorTest : public shelltest::DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        InstallProgramResources();
        MakeFolder(kListsFolder);
    }

    /// Appends an item to the document.
    TaskNode* Add(std::u16string title, TaskNode* parent = nullptr, std::uint32_t quantity = 1,
                  std::int32_t importance = TaskItem::kNormalImportance, std::u16string notes = {}) {
        TaskItem item;
        item.title = std::move(title);
        item.quantity = quantity;
        item.importance = importance;
        item.notes = std::move(notes);
        return doc.tree.AddItem(std::move(item), parent);
    }

    /// Runs the editor on the document and calls `act` once it is up and painted.
    int RunEditor(CListEditorDlg& editor, const std::function<void()>& act) {
        return uitest::RunModal(editor, [&] {
            uitest::Grab(editor.GetTreeCtrl());  // the first paint lays the rows out
            act();
        });
    }

    CCorvinaDoc doc;
};

}  // namespace editortest
