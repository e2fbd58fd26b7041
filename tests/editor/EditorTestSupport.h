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
#include "res/ResourceIds.h"

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

/// The caption bar's OK button on the device screen.
inline const CPoint kCaptionOk(222, 13);

/// The screen of type `Screen` that holds the focus; null when there is none.
template <class Screen> Screen* FrontScreen() {
    for (CWnd* w = CWnd::GetFocus(); w != nullptr; w = w->GetParent()) {
        if (auto* screen = dynamic_cast<Screen*>(w)) {
            return screen;
        }
    }
    return nullptr;
}

/// How many turns of the event loop InNextScreen looks for its screen.
inline constexpr int kScreenLookTurns = 20;

/// Runs `act` on the screen of type `Screen` that a command is about to open, as soon as it is up;
/// one that `act` left open is cancelled afterwards, so no test hangs in it. A tap delivers events of
/// its own before its command runs, so the screen is looked for again for a few turns of the event
/// loop; when none comes up, nothing happens (the test's own checks say whether one should have).
template <class Screen>
void InNextScreen(std::function<void(Screen&)> act, int turnsLeft = kScreenLookTurns) {
    uitest::Soon([act = std::move(act), turnsLeft]() mutable {
        Screen* screen = FrontScreen<Screen>();
        if (screen == nullptr) {
            if (turnsLeft > 0) {
                InNextScreen<Screen>(std::move(act), turnsLeft - 1);
            }
            return;
        }
        act(*screen);
        if (screen->IsModalRunning()) {
            screen->EndDialog(IDCANCEL);
        }
    });
}

/// InNextScreen for the item details sheet.
inline void InNextSheet(std::function<void(CItemDetailsPropSheet&)> act) {
    InNextScreen<CItemDetailsPropSheet>(std::move(act));
}

/// Types `title` into the next details sheet and accepts it with `ok`: the command bar's OK, or
/// the sheet's own.
inline void TypeInNextSheet(std::u16string title, UINT ok = ID_SHEET_OK) {
    InNextSheet([title = std::move(title), ok](CItemDetailsPropSheet& sheet) {
        uitest::TypeText(title);
        sheet.SendCommand(ok);
    });
}

/// The item of the selected row, or null.
inline TaskNode* NodeOfSelection(CVisualTreeCtrl& rows) {
    const VisualNode* row = rows.GetSelectedItem();
    return row != nullptr ? reinterpret_cast<TaskNode*>(rows.GetItemData(row)) : nullptr;
}

/// The centre of a row, in the control's client coordinates, right of its check box and marks.
inline CPoint RowPoint(CVisualTreeCtrl& rows, const VisualNode* row) {
    const CRect rect = rows.GetItemRect(row);
    return CPoint(rect.right - 40, rect.top + 4);
}

/// A device root with an installed Lists folder, the program's resources and a document of it.
class EditorTest : public shelltest::DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        InstallProgramResources();
        MakeFolder(kListsFolder);
        doc.SetHostPathMapping(Device().PathMapping());
    }
    void TearDown() override {
        // A look for a screen that never came up (InNextScreen) keeps looking for some turns of the
        // event loop; it must not find the next test's screen and act on it with this test's gone
        // variables.
        for (int turn = 0; turn <= kScreenLookTurns; ++turn) {
            uitest::ProcessEvents();
        }
        DeviceRootTest::TearDown();
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
            uitest::Grab(editor.GetTreeCtrl()); // the first paint lays the rows out
            act();
        });
    }

    CCorvinaDoc doc;
};

/// The editor on a list saved as "Camping.crv" in the Lists folder, whose rows a test selects by tap.
class CampingEditorTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        doc.SetPathName(kListsFolder + u"Camping.crv");
    }
    /// Taps the `shownIndex`-th shown row, selecting it.
    void Select(CListEditorDlg& editor, std::size_t shownIndex) {
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        uitest::Tap(rows, RowPoint(rows, rows.GetShownRows().at(shownIndex)));
    }
};

} // namespace editortest
