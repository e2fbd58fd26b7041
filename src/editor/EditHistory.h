// EditHistory: the list editor's undo and redo. Every change to the list is kept as a step that can
// be taken back and done again at about the cost of the change itself: a deleted branch is kept
// whole, its items and its rows taken out of the list rather than copied, so taking the delete back
// links the same nodes in again, and no row is filled anew.
#pragma once

#include "model/TaskTree.h"
#include "treectrl/VisualTreeCtrl.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace editor {

/// The changes made to one open list, in order, with how far they are done. The history changes the
/// item tree and the rows together, as the editor's commands do; it never asks the user anything.
class EditHistory {
public:
    /// What an undo or redo leaves selected: the row the change was about when it is there, else the
    /// row the change started from, or no row; nothing to change for a change of every item.
    using Selection = std::optional<VisualNode*>;

    EditHistory(TaskTree& items, CVisualTreeCtrl& rows) : m_items(items), m_rows(rows) {}
    /// Frees the branches that only the history still holds (deleted, or added and taken back).
    ~EditHistory();
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    // --- The changes, each recorded after (or, for a delete, while) it is made ---

    /// `row` (its item `row`'s node) was appended as the last of its siblings while `selected` was
    /// the selected row.
    void Added(VisualNode* row, VisualNode* selected);
    /// Takes `row`'s item and the row with everything below them out of the list, keeping them.
    void Delete(VisualNode* row);
    /// `row`'s item got its title, quantity, importance and notes from the details sheet; `before`
    /// holds what they were.
    void Edited(VisualNode* row, const TaskItem& before);
    /// `row` was moved up (or down); `moved` is false when it stood at that end already.
    void Moved(VisualNode* row, bool up, bool moved);
    /// `row`'s checked flag was written; it held `previous`. Between `BeginCheckAll` and
    /// `EndCheckAll` the flag belongs to that one change.
    void Checked(VisualNode* row, BYTE previous);
    /// Check all (or Uncheck all) with `state` begins: the flags written until `EndCheckAll` are its.
    void BeginCheckAll(BYTE state);
    void EndCheckAll();
    /// True between `BeginCheckAll` and `EndCheckAll`.
    bool CheckingAll() const { return m_checkAll.has_value(); }

    // --- Undo and redo ---

    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    /// Takes back the last change done. Only when `CanUndo`.
    Selection Undo();
    /// Does again the last change taken back. Only when `CanRedo`.
    Selection Redo();
    /// True while an undo or redo changes the list: the flags it writes are no new change.
    bool Replaying() const { return m_replaying; }

    // --- The state on disk ---

    /// The list as it is now is the list's file.
    void MarkSaved() { m_savedAt = m_done; }
    /// No state of the history is the list's file (a list that arrives with unsaved changes).
    void ForgetSaved() { m_savedAt.reset(); }
    /// True when the list is as it was last loaded or saved.
    bool IsAtSaved() const { return m_savedAt == m_done; }

    /// Forgets every change (the rows are about to be filled anew), freeing what it held; the list
    /// as it is now counts as saved.
    void Clear();

private:
    /// An item with its sub-items, and its row with the sub-rows, that is in the list or out of it.
    struct BranchStep {
        TaskNode* node = nullptr;
        VisualNode* row = nullptr;
        TaskNode* nodeBefore = nullptr; ///< the sibling it follows; null when it is the first
        VisualNode* rowBefore = nullptr;
        std::size_t count = 0;                ///< items in the branch, the same as its rows
        bool inList = false;                  ///< in the list now
        bool added = false;                   ///< the change added it (else deleted it)
        VisualNode* selectedBefore = nullptr; ///< an addition's starting selection
    };
    /// An item's details; `other` holds them as they are on the other side of the change.
    struct FieldsStep {
        VisualNode* row = nullptr;
        TaskItem other;
    };
    /// A move; `up` is the way the next undo or redo moves the row.
    struct MoveStep {
        VisualNode* row = nullptr;
        bool up = false;
        bool moved = false;
    };
    /// One checked flag; `other` is its value on the other side of the change.
    struct CheckStep {
        VisualNode* row = nullptr;
        BYTE other = 0;
    };
    /// Check all or Uncheck all: the state it wrote and every flag's value before, in the order the
    /// control wrote them (its rows in pre-order). A byte a row, not the row's address beside it:
    /// Check all on a long list keeps a sixteenth of the memory, and makes it as quickly.
    struct CheckAllStep {
        BYTE state = 0;
        std::vector<BYTE> previous;
        bool applied = true;
    };
    using Step = std::variant<BranchStep, FieldsStep, MoveStep, CheckStep, CheckAllStep>;

    /// Forgets what could be redone and appends `step`, done.
    void Push(Step step);
    /// A branch step for `node` and its `row`, with the siblings they sit after.
    static BranchStep BranchAt(TaskNode* node, VisualNode* row);
    /// Undoes a done step or redoes an undone one (every step is its own inverse, turned round).
    Selection Flip(BranchStep& step);
    Selection Flip(FieldsStep& step);
    Selection Flip(MoveStep& step);
    Selection Flip(CheckStep& step);
    Selection Flip(CheckAllStep& step);
    /// Frees what a step holds out of the list.
    void Release(Step& step);

    TaskTree& m_items;
    CVisualTreeCtrl& m_rows;
    std::vector<Step> m_steps;                ///< every change, oldest first
    std::size_t m_done = 0;                   ///< the first m_done steps are done
    std::optional<std::size_t> m_savedAt = 0; ///< m_done when the list was as its file; none when lost
    std::optional<CheckAllStep> m_checkAll;   ///< the Check all being recorded
    bool m_replaying = false;                 ///< an undo or redo is running
};

} // namespace editor
