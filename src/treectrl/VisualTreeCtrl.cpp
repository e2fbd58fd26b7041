// CVisualTreeCtrl operations: building and changing rows, row data, expansion and navigation.
#include "treectrl/VisualTreeCtrl.h"

#include <stdexcept>

using namespace treectrl;

CVisualTreeCtrl::CVisualTreeCtrl() {
    RegisterWindowClass();
}

CVisualTreeCtrl::~CVisualTreeCtrl() {
    // The tree deletes its rows itself; the surfaces and pictures release with their members.
    m_selected = nullptr;
    m_shownRows.clear();
}

bool CVisualTreeCtrl::RegisterWindowClass() {
    const std::u16string name(kClassName);
    if (IsWindowClassKnown(name)) {
        return true;
    }
    ::RegisterWindowClass(name);
    if (!IsWindowClassKnown(name)) {
        throw std::runtime_error("the window class MFCVisualTreeCtrl could not be registered");
    }
    return true;
}

std::span<const CBitmap> CVisualTreeCtrl::SetImageList(std::span<const CBitmap> images) {
    const std::span<const CBitmap> previous = m_images;
    m_images = images;
    return previous;
}

void CVisualTreeCtrl::AddColumn() {
    if (m_columnCount < kMaxColumns) {
        ++m_columnCount;
    }
}

VisualNode* CVisualTreeCtrl::InsertItem(std::u16string_view text, std::int32_t image,
                                        std::int32_t selectedImage, VisualNode* parent, BYTE* checkedFlag) {
    RowText shown;
    shown.Copy(m_texts, text);
    return AppendRow(shown, image, selectedImage, parent, checkedFlag);
}

VisualNode* CVisualTreeCtrl::InsertItem(const CompactText* text, std::int32_t image,
                                        std::int32_t selectedImage, VisualNode* parent, BYTE* checkedFlag) {
    RowText shown;
    shown.Share(text);
    return AppendRow(shown, image, selectedImage, parent, checkedFlag);
}

VisualNode* CVisualTreeCtrl::InsertItem(const RowContent& content, VisualNode* parent) {
    VisualNode* const node = NewRow(parent);
    VisualItem& item = node->item;
    item.text.Share(content.text);
    item.notes.Share(content.notes);
    item.image = content.image;
    item.selectedImage = content.selectedImage;
    item.checkedFlag = content.checkedFlag;
    item.itemData = content.itemData;
    if (m_columnCount > 0) {
        item.columnTexts.Set(m_texts, 0, content.firstColumnText);
    }
    ShowAppendedRow(node);
    return node;
}

VisualNode* CVisualTreeCtrl::AppendRow(RowText text, std::int32_t image, std::int32_t selectedImage,
                                       VisualNode* parent, BYTE* checkedFlag) {
    VisualNode* const node = NewRow(parent);
    VisualItem& item = node->item;
    item.text = text;
    item.image = image;
    item.selectedImage = selectedImage;
    item.checkedFlag = checkedFlag;
    ShowAppendedRow(node);
    return node;
}

VisualNode* CVisualTreeCtrl::NewRow(VisualNode* parent) {
    // Made in its own place and filled there: a list of a hundred thousand items makes a row for
    // each as it opens, and a row made elsewhere and moved in costs that much again.
    VisualNode* const node = m_tree.MakeDetached(parent != nullptr ? parent : &m_tree.root);
    m_tree.Attach(node, 1);
    return node;
}

void CVisualTreeCtrl::ShowAppendedRow(VisualNode* node) {
    // Filling a list appends rows in pre-order, each one the last in display order; laying out
    // just that row keeps filling a long list linear instead of quadratic.
    if (CanAppendToLayout(node)) {
        AppendToLayout(node);
        Repaint();
    } else {
        FullRepaint();
    }
}

bool CVisualTreeCtrl::IsInSubtree(const VisualNode* node, const VisualNode* top) const {
    for (const VisualNode* n = node; n != nullptr; n = n->parent) {
        if (n == top) {
            return true;
        }
    }
    return false;
}

void CVisualTreeCtrl::DeleteItem(VisualNode* node) {
    if (node == nullptr || node == &m_tree.root) {
        return;
    }
    // A selection anywhere in the doomed subtree would otherwise point at a freed row.
    if (IsInSubtree(m_selected, node)) {
        m_selected = nullptr;
    }
    // The shown-row list may hold the doomed rows until the repaint below lays out again; nothing
    // may reach them through it in between.
    m_shownRows.clear();
    m_tree.Delete(node);
    FullRepaint();
}

std::size_t CVisualTreeCtrl::DetachItem(VisualNode* node) {
    if (IsInSubtree(m_selected, node)) {
        m_selected = nullptr;
    }
    // As with a delete, the shown-row list must not reach the rows taken out.
    m_shownRows.clear();
    const std::size_t rows = m_tree.Detach(node);
    FullRepaint();
    return rows;
}

void CVisualTreeCtrl::ReattachItem(VisualNode* node, VisualNode* after, std::size_t rows) {
    m_tree.Reattach(node, after, rows);
    FullRepaint();
}

void CVisualTreeCtrl::DeleteAllItems() {
    m_selected = nullptr;
    m_shownRows.clear();
    m_tree.Clear();
    m_texts.Reset();
    m_layoutDirty = 1;
}

void CVisualTreeCtrl::MoveItemUp(VisualNode* node) {
    if (node != nullptr && node->parent != nullptr) {
        node->parent->MoveChildUp(node);
    }
    FullRepaint();
}

void CVisualTreeCtrl::MoveItemDown(VisualNode* node) {
    if (node != nullptr && node->parent != nullptr) {
        node->parent->MoveChildDown(node);
    }
    FullRepaint();
}

void CVisualTreeCtrl::SetItemText(VisualNode* node, std::u16string_view text) {
    if (!node->item.text.IsShowing(text)) {
        node->item.text.Copy(m_texts, text);
    }
    node->item.ForgetWrap();
    FullRepaint();
}

void CVisualTreeCtrl::SetItemText(VisualNode* node, const CompactText* text) {
    node->item.text.Share(text);
    node->item.ForgetWrap();
    FullRepaint();
}

void CVisualTreeCtrl::SetItemNotes(VisualNode* node, std::u16string_view notes) {
    if (!node->item.notes.IsShowing(notes)) {
        node->item.notes.Copy(m_texts, notes);
    }
    FullRepaint();
}

void CVisualTreeCtrl::SetItemNotes(VisualNode* node, const CompactText* notes) {
    node->item.notes.Share(notes);
    FullRepaint();
}

void CVisualTreeCtrl::SetItemImage(VisualNode* node, std::int32_t image, std::int32_t selectedImage) {
    node->item.image = image;
    node->item.selectedImage = selectedImage;
    RedrawItem(node);
}

void CVisualTreeCtrl::SetItemColumnText(VisualNode* node, unsigned column, std::u16string_view text) {
    if (column >= m_columnCount) {
        return;
    }
    node->item.columnTexts.Set(m_texts, column, text);
    RedrawItem(node);
}

BYTE CVisualTreeCtrl::GetCheck(const VisualNode* node) const {
    return node->item.checkedFlag != nullptr ? *node->item.checkedFlag : BYTE{0};
}

void CVisualTreeCtrl::Expand(VisualNode* node, bool expanded) {
    if (!node->HasChildren()) {
        return;
    }
    node->item.expanded = expanded ? 1 : 0;
    FullRepaint();
}

VisualNode* CVisualTreeCtrl::GetFirstItem() const {
    return m_tree.root.firstChild;
}

VisualNode* CVisualTreeCtrl::GetNextSiblingItem(const VisualNode* node) const {
    if (node == nullptr || node->parent == nullptr) {
        return nullptr;
    }
    return node->nextSibling;
}

VisualNode* CVisualTreeCtrl::GetNextVisibleItem(const VisualNode* node, bool descend) const {
    while (node != nullptr) {
        if (descend && node->item.expanded != 0 && node->HasChildren()) {
            return node->firstChild;
        }
        if (VisualNode* sibling = GetNextSiblingItem(node)) {
            return sibling;
        }
        node = node->parent;
        descend = false;
    }
    return nullptr;
}

int CVisualTreeCtrl::GetItemLevel(const VisualNode* node) const {
    int level = -2;
    for (; node != nullptr; node = node->parent) {
        ++level;
    }
    return level;
}

std::size_t CVisualTreeCtrl::CountDescendants(const VisualNode* node) const {
    return node->CountDescendants();
}

void CVisualTreeCtrl::FullRepaint() {
    m_layoutDirty = 1;
    Repaint();
}

void CVisualTreeCtrl::Repaint() {
    // A hidden control paints everything when it is shown again.
    if (!IsWindowVisible()) {
        return;
    }
    InvalidateRect(nullptr, false);
    UpdateWindow();
}
