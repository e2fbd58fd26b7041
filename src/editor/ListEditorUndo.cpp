// The list editor's undo and redo, and the changes its rows report by themselves (a tick).
#include "editor/ListEditorDlg.h"
#include "model/CorvinaDoc.h"

void CListEditorDlg::Undo() {
    if (m_history.CanUndo()) {
        const std::size_t items = m_document->tree.Count();
        AfterHistoryStep(m_history.Undo(), items);
    }
}

void CListEditorDlg::Redo() {
    if (m_history.CanRedo()) {
        const std::size_t items = m_document->tree.Count();
        AfterHistoryStep(m_history.Redo(), items);
    }
}

void CListEditorDlg::AfterHistoryStep(const editor::EditHistory::Selection& selection,
                                      std::size_t itemsBefore) {
    // Only a branch that came or went changes the items; the flags count themselves as written.
    if (m_document->tree.Count() != itemsBefore) {
        CountCheckedItems();
    }
    if (selection) {
        m_tree.SelectItem(*selection);
    }
    MarkModified(!m_history.IsAtSaved());
}

void CListEditorDlg::OnCheckChanged(const NMVTCHECK& change) {
    m_checkedCount -= change.previous != 0;
    m_checkedCount += m_tree.GetCheck(change.node) != 0;
    // An undo or redo writes flags through the rows too; it keeps its own account of them.
    if (m_history.Replaying()) {
        return;
    }
    m_history.Checked(change.node, change.previous);
    MarkModified(true);
}

void CListEditorDlg::MarkSaved() {
    m_history.MarkSaved();
    MarkModified(false);
}
