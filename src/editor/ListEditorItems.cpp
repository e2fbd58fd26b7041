// The list editor's item commands: add, add a sub-item, edit, delete, move and check or uncheck all.
// Each changes the document's item tree and the rows together and ends with the mark-modified step.
#include "editor/EditorRows.h"
#include "editor/ItemDetailsPropSheet.h"
#include "editor/ListEditorDlg.h"
#include "model/CorvinaDoc.h"

void CListEditorDlg::OnAddItem(bool asSubitem) {
    VisualNode* parentRow = asSubitem ? m_tree.GetSelectedItem() : nullptr;
    if (asSubitem && parentRow == nullptr) {
        return;
    }
    TaskItem item;
    CItemDetailsPropSheet sheet(&item, nullptr, CItemDetailsPropSheet::kGeneralPage);
    if (sheet.DoModal() != IDOK) {
        return;
    }
    AppendItem(item, parentRow);
}

VisualNode* CListEditorDlg::AppendItem(const TaskItem& item, VisualNode* parentRow) {
    VisualNode* selected = m_tree.GetSelectedItem();
    TaskNode* node = m_document->tree.AddItem(item, editor::NodeOfRow(m_tree, parentRow));
    VisualNode* row = editor::AddRow(m_tree, *node, parentRow);
    m_history.Added(row, selected);
    m_checkedCount += item.checked != 0;
    MarkModified(true);
    return row;
}

void CListEditorDlg::OnEditItem(int startPage) {
    VisualNode* row = m_tree.GetSelectedItem();
    TaskNode* node = editor::NodeOfRow(m_tree, row);
    if (node == nullptr) {
        return;
    }
    const TaskItem before = node->item;
    CItemDetailsPropSheet sheet(&node->item, nullptr, static_cast<UINT>(startPage));
    if (sheet.DoModal() != IDOK) {
        return;
    }
    ItemEdited(row, before);
}

void CListEditorDlg::ItemEdited(VisualNode* row, const TaskItem& before) {
    editor::RefreshRow(m_tree, row, before, editor::NodeOfRow(m_tree, row)->item);
    m_history.Edited(row, before);
    MarkModified(true);
}

void CListEditorDlg::OnDeleteItem() {
    if (VisualNode* row = m_tree.GetSelectedItem()) {
        DeleteRowItem(row);
    }
}

void CListEditorDlg::DeleteRowItem(VisualNode* row) {
    // The branch is kept, not freed, so that an undo links the same items and rows back in.
    m_history.Delete(row);
    CountCheckedItems();
    MarkModified(true);
}

void CListEditorDlg::OnMoveItem(bool up) {
    // The tool buttons are never disabled, so the command checks for a row itself.
    if (VisualNode* row = m_tree.GetSelectedItem()) {
        MoveRowItem(row, up);
    }
}

void CListEditorDlg::MoveRowItem(VisualNode* row, bool up) {
    TaskNode* node = editor::NodeOfRow(m_tree, row);
    const bool moves = up ? node->parent->firstChild != node : node->nextSibling != nullptr;
    if (up) {
        node->parent->MoveChildUp(node);
        m_tree.MoveItemUp(row);
    } else {
        node->parent->MoveChildDown(node);
        m_tree.MoveItemDown(row);
    }
    m_history.Moved(row, up, moves);
    MarkModified(true);
}

void CListEditorDlg::CheckAllItems(BYTE state) {
    // The control reports every flag it writes, each marking the list modified; the last mark
    // makes an empty list modified too.
    m_history.BeginCheckAll(state);
    m_tree.CheckAll(state);
    m_history.EndCheckAll();
    MarkModified(true);
}
