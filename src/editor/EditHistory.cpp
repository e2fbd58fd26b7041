// The list editor's undo and redo: recording each change and turning it round.
#include "editor/EditHistory.h"

#include "editor/EditorRows.h"

#include <cassert>

namespace editor {

namespace {

/// Sets a flag back through the control, so its row is drawn again as a tap would draw it.
void WriteFlag(CVisualTreeCtrl& rows, VisualNode* row, BYTE state) {
    rows.SetCheck(row, state, false);
}

/// Swaps the fields the details sheet edits; the checked flag is not one of them.
void SwapDetails(TaskItem& a, TaskItem& b) {
    std::swap(a.title, b.title);
    std::swap(a.quantity, b.quantity);
    std::swap(a.importance, b.importance);
    std::swap(a.notes, b.notes);
}

} // namespace

EditHistory::~EditHistory() {
    Clear();
}

void EditHistory::Clear() {
    for (Step& step : m_steps) {
        Release(step);
    }
    m_steps.clear();
    m_done = 0;
    m_savedAt = 0;
    m_checkAll.reset();
}

void EditHistory::Release(Step& step) {
    if (auto* branch = std::get_if<BranchStep>(&step); branch != nullptr && !branch->inList) {
        m_items.DestroyDetached(branch->node);
        m_rows.DestroyDetachedItem(branch->row);
    }
}

void EditHistory::Push(Step step) {
    // A new change makes what was taken back unreachable, and with it a saved state among it.
    for (std::size_t i = m_done; i < m_steps.size(); ++i) {
        Release(m_steps[i]);
    }
    m_steps.resize(m_done);
    if (m_savedAt && *m_savedAt > m_done) {
        m_savedAt.reset();
    }
    m_steps.push_back(std::move(step));
    m_done = m_steps.size();
}

EditHistory::BranchStep EditHistory::BranchAt(TaskNode* node, VisualNode* row) {
    BranchStep step;
    step.node = node;
    step.row = row;
    step.nodeBefore = node->parent->ChildBefore(node);
    step.rowBefore = row->parent->ChildBefore(row);
    return step;
}

void EditHistory::Added(VisualNode* row, VisualNode* selected) {
    TaskNode* node = NodeOfRow(m_rows, row);
    BranchStep step = BranchAt(node, row);
    step.count = 1 + node->CountDescendants();
    step.inList = true;
    step.added = true;
    step.selectedBefore = selected;
    Push(std::move(step));
}

void EditHistory::Delete(VisualNode* row) {
    TaskNode* node = NodeOfRow(m_rows, row);
    BranchStep step = BranchAt(node, row);
    step.count = m_items.Detach(node);
    m_rows.DetachItem(row);
    step.inList = false;
    Push(std::move(step));
}

void EditHistory::Edited(VisualNode* row, const TaskItem& before) {
    FieldsStep step;
    step.row = row;
    step.other.title = before.title;
    step.other.quantity = before.quantity;
    step.other.importance = before.importance;
    step.other.notes = before.notes;
    Push(std::move(step));
}

void EditHistory::Moved(VisualNode* row, bool up, bool moved) {
    Push(MoveStep{row, !up, moved});
}

void EditHistory::Checked(VisualNode* row, BYTE previous) {
    if (m_checkAll) {
        m_checkAll->previous.push_back(previous);
        return;
    }
    Push(CheckStep{row, previous});
}

void EditHistory::BeginCheckAll(BYTE state) {
    m_checkAll.emplace();
    m_checkAll->state = state;
    m_checkAll->previous.reserve(m_items.Count());
}

void EditHistory::EndCheckAll() {
    assert(m_checkAll.has_value());
    CheckAllStep step = std::move(*m_checkAll);
    m_checkAll.reset();
    Push(std::move(step));
}

EditHistory::Selection EditHistory::Undo() {
    assert(CanUndo());
    m_replaying = true;
    const Selection selection = std::visit([this](auto& step) { return Flip(step); }, m_steps[--m_done]);
    m_replaying = false;
    return selection;
}

EditHistory::Selection EditHistory::Redo() {
    assert(CanRedo());
    m_replaying = true;
    const Selection selection = std::visit([this](auto& step) { return Flip(step); }, m_steps[m_done++]);
    m_replaying = false;
    return selection;
}

EditHistory::Selection EditHistory::Flip(BranchStep& step) {
    if (step.inList) {
        m_items.Detach(step.node);
        m_rows.DetachItem(step.row);
        step.inList = false;
        // An addition taken back leaves the selection it started from; a delete done again, none.
        return step.added ? step.selectedBefore : nullptr;
    }
    m_items.Reattach(step.node, step.nodeBefore, step.count);
    m_rows.ReattachItem(step.row, step.rowBefore, step.count);
    step.inList = true;
    return step.row;
}

EditHistory::Selection EditHistory::Flip(FieldsStep& step) {
    TaskItem& item = NodeOfRow(m_rows, step.row)->item;
    SwapDetails(item, step.other);
    RefreshRow(m_rows, step.row, step.other, item);
    return step.row;
}

EditHistory::Selection EditHistory::Flip(MoveStep& step) {
    if (step.moved) {
        TaskNode* node = NodeOfRow(m_rows, step.row);
        if (step.up) {
            node->parent->MoveChildUp(node);
            m_rows.MoveItemUp(step.row);
        } else {
            node->parent->MoveChildDown(node);
            m_rows.MoveItemDown(step.row);
        }
    }
    step.up = !step.up;
    return step.row;
}

EditHistory::Selection EditHistory::Flip(CheckStep& step) {
    const BYTE now = m_rows.GetCheck(step.row);
    WriteFlag(m_rows, step.row, step.other);
    step.other = now;
    return step.row;
}

EditHistory::Selection EditHistory::Flip(CheckAllStep& step) {
    if (step.applied) {
        // Every later change is undone, so the rows stand as Check all found them: a walk in the
        // control's order, past the rows it skipped, meets them in the order their flags were kept.
        std::size_t next = 0;
        if (VisualNode* const first = m_rows.GetFirstItem()) {
            WalkPreOrder(*first->parent, [&](VisualNode& row, std::size_t) {
                if (row.item.checkedFlag == nullptr || next == step.previous.size()) {
                    return false;
                }
                const BYTE previous = step.previous[next++];
                if (m_rows.GetCheck(&row) != previous) {
                    WriteFlag(m_rows, &row, previous);
                }
                return true;
            });
        }
    } else {
        m_rows.CheckAll(step.state);
    }
    step.applied = !step.applied;
    return std::nullopt;
}

} // namespace editor
