// CVisualTreeCtrl: the check-tree control of the list editor. Rows with check boxes, text columns,
// indentation, expand squares, owner icons, word-wrapped titles and notes marks, alternating row
// colours, one selected row and the control's own scroll bar; driven by the pen.
//
// The implementation is split by concern: VisualTreeCtrl.cpp (operations), VisualTreeCtrlLayout.cpp
// (layout, zones, scroll model), VisualTreeCtrlPaint.cpp (surfaces and drawing) and
// VisualTreeCtrlInput.cpp (pen, timers, checks and notifications) and VisualTreeCtrlKeys.cpp (the
// desktop keyboard).
#pragma once

#include <optional>

#include "platform/ui/Bitmap.h"
#include "platform/ui/CharAdvances.h"
#include "platform/ui/DC.h"
#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Notify.h"
#include "platform/ui/WinTypes.h"
#include "platform/ui/Wnd.h"
#include "treectrl/RowBand.h"
#include "treectrl/ScrollModel.h"
#include "treectrl/TreeCtrlMetrics.h"
#include "treectrl/VisualTree.h"
#include "treectrl/WordWrap.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/// The VTN_CHECKCHANGED record: the header, the row whose checked flag was written and the value the
/// flag held before, so the owner can take the change back exactly.
struct NMVTCHECK {
    NMHDR hdr;
    VisualNode* node = nullptr;
    BYTE previous = 0;
};

/// The check-tree control. The owner builds its rows to mirror an item tree and reads and writes
/// each row's data; the control reads and writes the owner's checked flags in place and tells the
/// owner with VTN_CHECKCHANGED after every write and VTN_NOTESCLICKED when a notes mark is tapped.
///
/// Rows are laid out from the top as far as something needs them (the rows in view, a row asked
/// about, the whole list once the user scrolls), and rendered only when they come into view: the
/// view is backed by a band surface as high as the view, so a scroll step renders the rows that
/// appear and nothing else, and opening a long list lays out one screen of it.
class CVisualTreeCtrl : public CWnd {
public:
    /// The window class dialog templates name for this control.
    static constexpr char16_t kClassName[] = u"MFCVisualTreeCtrl";

    /// Sets the initial state and makes sure the window class exists.
    CVisualTreeCtrl();
    ~CVisualTreeCtrl() override;

    /// Registers the window class "MFCVisualTreeCtrl" unless it exists already. Throws
    /// std::runtime_error when the class cannot be registered.
    static bool RegisterWindowClass();

    // --- Building the rows ----------------------------------------------------------------------

    /// Gives the control the owner's row icons (12 x 12, red transparent); the owner keeps them.
    /// An icon index outside the array draws no icon. Answers the previous array. No repaint.
    std::span<const CBitmap> SetImageList(std::span<const CBitmap> images);
    /// Adds a text column, up to three; no repaint.
    void AddColumn();
    /// Number of text columns.
    unsigned GetColumnCount() const { return m_columnCount; }
    /// Appends a row as the last child of parent (of the top level when null), showing a copy of
    /// `text`; full repaint.
    VisualNode* InsertItem(std::u16string_view text, std::int32_t image, std::int32_t selectedImage,
                           VisualNode* parent, BYTE* checkedFlag);
    /// The same, but the row reads the owner's `text` in place, as it reads the checked flag: the
    /// owner keeps it for as long as the row shows it and calls SetItemText after changing it.
    VisualNode* InsertItem(const CompactText* text, std::int32_t image, std::int32_t selectedImage,
                           VisualNode* parent, BYTE* checkedFlag);
    /// Everything one row shows, for the InsertItem that gives a row all its fields at once.
    struct RowContent {
        /// The title and the notes, read in place as the checked flag is (null shows no text; empty
        /// notes show no notes mark).
        const CompactText* text = nullptr;
        const CompactText* notes = nullptr;
        std::int32_t image = 0;
        std::int32_t selectedImage = 0;
        BYTE* checkedFlag = nullptr;
        UINT_PTR itemData = 0;
        /// The first column's cell; ignored while no column is added.
        std::u16string_view firstColumnText;
    };
    /// Appends a row as the last child of parent (of the top level when null) with all of `content`:
    /// the row InsertItem, SetItemData, SetItemColumnText and SetItemNotes make in turn, laid out and
    /// repainted once. An owner filling the control with a whole list gives each item's row this way.
    VisualNode* InsertItem(const RowContent& content, VisualNode* parent);
    /// Deletes the row with its sub-rows; a selection inside them is cleared. Full repaint.
    void DeleteItem(VisualNode* node);
    /// Deletes every row and clears the selection; the next paint lays out again. No repaint.
    void DeleteAllItems();
    /// Makes room for `rows` more rows at once, so a control filled with a whole list holds memory
    /// for that many rows and not for the next chunk a growing pool would take. A hint: rows beyond
    /// it are still added.
    void ReserveRows(std::size_t rows) {
        m_tree.Reserve(rows);
        m_shownRows.reserve(m_tree.Count() + rows);
    }
    /// Takes the row with its sub-rows out of the control without deleting them, so that
    /// `ReattachItem` can put them back as they were; a selection inside them is cleared. Until then
    /// they are the caller's, to reattach or to free with `DestroyDetachedItem` (before the next
    /// `DeleteAllItems`, which frees their texts). Answers the number of rows taken out. Full repaint.
    std::size_t DetachItem(VisualNode* node);
    /// Puts back the `rows` rows under `node` that `DetachItem` took out, right after `after`, a row of
    /// the same parent, or first among its sub-rows when `after` is null. Full repaint.
    void ReattachItem(VisualNode* node, VisualNode* after, std::size_t rows);
    /// Frees rows that `DetachItem` took out.
    void DestroyDetachedItem(VisualNode* node) { m_tree.DestroyDetached(node); }
    /// Swaps the row with its previous (next) sibling when it has one; full repaint either way.
    void MoveItemUp(VisualNode* node);
    void MoveItemDown(VisualNode* node);

    // --- Row data -------------------------------------------------------------------------------

    /// The owner's value kept with the row.
    UINT_PTR GetItemData(const VisualNode* node) const { return node->item.itemData; }
    void SetItemData(VisualNode* node, UINT_PTR data) { node->item.itemData = data; }
    /// Replaces the title with a copy of `text` (full repaint: the row's height may change). Given
    /// the very text the row shows, which its owner changed in place, the row keeps reading it and
    /// only lays it out again.
    void SetItemText(VisualNode* node, std::u16string_view text);
    /// Has the row read the owner's `text` in place from now on, as InsertItem does; full repaint.
    void SetItemText(VisualNode* node, const CompactText* text);
    /// Replaces the notes, as SetItemText does the title (full repaint: the notes mark may need a
    /// strip of its own).
    void SetItemNotes(VisualNode* node, std::u16string_view notes);
    void SetItemNotes(VisualNode* node, const CompactText* notes);
    /// Sets both icon indexes and redraws the row.
    void SetItemImage(VisualNode* node, std::int32_t image, std::int32_t selectedImage);
    /// Sets the text of column `column` and redraws the row; nothing for a column not added.
    void SetItemColumnText(VisualNode* node, unsigned column, std::u16string_view text);

    // --- Checks, expansion, selection -----------------------------------------------------------

    /// The row's checked flag, 0 when it has none.
    BYTE GetCheck(const VisualNode* node) const;
    /// Writes state into the row's flag (and, with recurse, into its sub-rows', first to last),
    /// sending VTN_CHECKCHANGED once per flag written, and redraws what shows of them; no relayout,
    /// since a check changes no row's height. A row without a flag is skipped with its sub-rows.
    void SetCheck(VisualNode* node, BYTE state, bool recurse);
    /// SetCheck with recursion on every top-level row, first to last.
    void CheckAll(BYTE state);
    /// Shows or hides the row's sub-rows (full repaint); nothing for a row without sub-rows.
    void Expand(VisualNode* node, bool expanded);
    /// The selected row, or null.
    VisualNode* GetSelectedItem() const { return m_selected; }
    /// Selects the row (none when null) and, when it is shown, scrolls it into view.
    void SelectItem(VisualNode* node);

    // --- Navigation -----------------------------------------------------------------------------

    /// The first top-level row, or null.
    VisualNode* GetFirstItem() const;
    /// The next row in display order: with descend, into an expanded row's sub-rows first.
    VisualNode* GetNextVisibleItem(const VisualNode* node, bool descend) const;
    /// The next row among the row's siblings, or null.
    VisualNode* GetNextSiblingItem(const VisualNode* node) const;
    /// Depth of the row: 0 for the top level, -1 for the hidden root, -2 for null.
    int GetItemLevel(const VisualNode* node) const;
    /// Number of rows below the row at all depths.
    std::size_t CountDescendants(const VisualNode* node) const;

    // --- Zones and hit testing (window coordinates) ---------------------------------------------
    // Each brings the layout up to date first (EnsureLayout), so it answers for the rows as they
    // are now, never as the last paint left them.

    /// The row's area on the window.
    CRect GetItemRect(const VisualNode* node);
    /// The 14 x 14 square at the row's top-left that toggles the check.
    CRect GetCheckBoxRect(const VisualNode* node);
    /// The 9 x 9 expand square's place (present on every row, with or without sub-rows).
    CRect GetExpanderRect(const VisualNode* node);
    /// The notes mark's square; all zero when the row has no notes.
    CRect GetNotesRect(const VisualNode* node);
    /// The row under the point, or null; flags receives VTHT_ONCHECKBOX, VTHT_ONEXPANDER and
    /// VTHT_ONNOTES for the zones the point is on.
    VisualNode* HitTest(CPoint point, UINT* flags = nullptr);
    VisualNode* HitTest(int x, int y, UINT* flags = nullptr) { return HitTest(CPoint(x, y), flags); }

    /// Re-renders one shown row and paints it at once, without a relayout; ignores hidden rows, rows
    /// the layout has not placed yet (they lie below the view), and every row while the layout is
    /// dirty (the next layout renders them all).
    void RedrawItem(VisualNode* node);

    // --- What the layout and the scroll model hold, as the last layout left them ----------------
    // A layout that placed only the rows at the top is carried through to the last row first.

    /// The rows in display order as the last layout placed them.
    const std::vector<VisualNode*>& GetShownRows();
    /// How far the content is scrolled up, in pixels.
    std::int32_t GetScrollOffset() const { return m_scrollOffset; }
    /// (0, 0, view width, total height of the shown rows).
    const CRect& GetContentRect();
    /// The client rectangle less 1 at the top and bottom and 3 at the right.
    const CRect& GetViewRect() const { return m_viewRect; }
    /// The scroll bar and its parts as the last layout placed them (all empty without a bar).
    const treectrl::ScrollBarGeometry& GetScrollBar();
    /// The scroll-bar part the pen holds, treectrl::kNoPart when none.
    std::int32_t GetPressedPart() const { return m_pressedPart; }
    /// True when the next EnsureLayout lays the rows out again.
    bool IsLayoutDirty() const { return m_layoutDirty != 0; }

protected:
    // The control's own virtual operations, in their slot order.

    /// Renders one row, as the layout placed it, into the band when it lies in it.
    virtual void DrawItem(VisualNode* node);
    /// Starts the layout afresh when it is dirty; the rows are then placed in display order as far
    /// as they are needed (positions, heights, colours), by `PlaceRowsThrough` and the like.
    virtual void RecalcLayout();
    /// Draws the scroll bar the layout placed on the frame surface.
    virtual void DrawScrollBar(CDC& dc);
    /// Composes the whole control on the frame surface from the current layout.
    virtual void DrawTree(CDC& dc);

    /// Brings everything that places the rows and the bar up to date: the view rectangle from the
    /// client size, the rows when their layout is dirty, the scroll offset clamped to the content,
    /// and the scroll bar's geometry. Runs before painting, hit testing and every operation that
    /// reads positions; cheap when nothing changed.
    void EnsureLayout();
    /// EnsureLayout with every shown row placed: for what needs the content's full height (a scroll,
    /// the scroll bar's scale) or the last rows.
    void EnsureWholeLayout();
    /// Places every shown row the current layout has not placed yet.
    void PlaceAllRows();

    /// Forgets every title's wrap, so the next layout measures all rows again.
    void ForgetMeasurements();

    // Message handlers.
    void OnPaint(CDC& dc) override;
    bool OnEraseBkgnd(CDC& dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnTimer(UINT_PTR id) override;
    /// A desktop wheel scrolls the rows, 30 pixels a notch; the device had no wheel.
    bool OnMouseWheel(UINT flags, int delta, CPoint point) override;
    /// A desktop keyboard, with the focus on the control: Up, Down, Home, End, Page Up and Page Down
    /// move the selection among the shown rows and scroll it into view; Left collapses the selected
    /// row (or selects its parent), Right expands it; Space toggles its check box as a tap does.
    bool OnKeyDown(UINT virtualKey) override;
    void OnDestroy() override;

private:
    // --- Operations' helpers (VisualTreeCtrl.cpp) ---
    VisualNode* AppendRow(RowText text, std::int32_t image, std::int32_t selectedImage, VisualNode* parent,
                          BYTE* checkedFlag);
    VisualNode* NewRow(VisualNode* parent);
    void ShowAppendedRow(VisualNode* node);
    void FullRepaint();
    void Repaint();
    bool IsInSubtree(const VisualNode* node, const VisualNode* top) const;

    // --- Layout helpers (VisualTreeCtrlLayout.cpp) ---
    /// A title's wrap: its number of lines and how far from the text area's left its last line ends.
    struct WrappedTitle {
        std::int32_t lines = 0;
        std::int32_t lastLineEnd = 0;
    };
    int LevelLeft(int level) const;
    CRect RowRect(const VisualNode* node) const;
    CRect NotesRect(const VisualNode* node) const;
    CRect TextArea(const VisualNode* node) const;
    CRect CalcTextRect(const CRect& area, const WrappedTitle& wrapped) const;
    void CalcItemRect(VisualNode* node);
    CRect DrawWrappedText(const CRect& area, std::u16string_view text, const treectrl::PlaceWordFn& place);
    WrappedTitle WrapTitle(VisualNode* node, const CRect& area);
    bool CanAppendToLayout(const VisualNode* node) const;
    void AppendToLayout(VisualNode* node);
    void UpdateLayout(bool whole);
    bool PlaceNextRow();
    std::int32_t PlacedBottom() const;
    void PlaceRowsThrough(std::int32_t contentY);
    bool PlaceThrough(const VisualNode* node);
    bool ScrollBarSettled();
    void CompleteLastLayout();
    void ClampScroll();
    std::size_t FirstShownRowBelow(std::int32_t contentY) const;
    bool IsShown(const VisualNode* node) const;
    CRect ItemRectOnWindow(const VisualNode* node) const;
    CRect CheckBoxRectOnWindow(const VisualNode* node) const;
    CRect ExpanderRectOnWindow(const VisualNode* node) const;
    CRect NotesRectOnWindow(const VisualNode* node) const;

    // --- Painting helpers (VisualTreeCtrlPaint.cpp) ---
    void CreateResources(CDC& dc, const CRect& client);
    void ReleaseResources();
    bool ResourcesReady() const { return m_resourcesCreated != 0; }
    void UpdateBand();
    void RenderStrip(const treectrl::ContentStrip& strip);
    void DrawGridAndFrame(CDC& dc, const CRect& client);

    // --- Input helpers (VisualTreeCtrlInput.cpp) ---
    std::int32_t ScrollPartAt(CPoint point) const;
    const CRect& ScrollPartRect(std::int32_t part) const;
    void StartRepeat(std::int32_t part, CPoint point);
    void StopRepeat();
    void ScrollBy(std::int32_t delta);
    void RequestTapAndHold(CPoint point);
    void SelectRow(VisualNode* row);
    // Writes `state` into `node`'s flag; answers the value it held, or nothing for a row without one.
    std::optional<BYTE> WriteCheck(VisualNode* node, BYTE state);
    void NotifyCheckChanged(CWnd* parent, VisualNode* node, BYTE before);
    void WriteChecksBelow(CWnd* parent, VisualNode& top, BYTE state);
    void RepaintRowsInView();

    // --- Keyboard helpers (VisualTreeCtrlKeys.cpp) ---
    VisualNode* RowForMoveKey(UINT virtualKey) const;
    void ScrollIntoView(const VisualNode* row);

    // --- State: the rows ---
    /// The rows' texts come in chunks of at most this size: a control holds far fewer texts than a
    /// big list loads, and a smaller last chunk wastes less.
    static constexpr std::size_t kRowTextChunkBytes = 64 * 1024;
    /// The copies of titles and notes that rows show, and the column cells that do not fit in a row.
    /// A replaced copy stays until every row goes: rows change by hand.
    TextArena m_texts{kRowTextChunkBytes};
    VisualTree m_tree;                    // the rows under the hidden root
    VisualNode* m_selected = nullptr;     // the selected row, or null
    std::vector<VisualNode*> m_shownRows; // rows placed so far, in display order, by increasing top
    BYTE m_layoutDirty = 1;               // the next EnsureLayout must run RecalcLayout
    BYTE m_layoutComplete = 0;            // every shown row is placed (m_shownRows holds them all)
    BYTE m_checkBoxesShown = 1;           // the check box column is there (never changed)
    std::int32_t m_indent = treectrl::kIndentPerLevel; // horizontal step per level (never changed)
    unsigned m_columnCount = 0;                        // text columns, at most treectrl::kMaxColumns
    std::span<const CBitmap> m_images;                 // the owner's row icons; not owned

    // --- State: scrolling ---
    std::int32_t m_scrollOffset = 0;                // how far the content is scrolled up
    CRect m_contentRect;                            // (0, 0, view width, height of all shown rows)
    CRect m_viewRect;                               // client less 1 top, 3 right, 1 bottom
    treectrl::ScrollBarGeometry m_scrollBar;        // bar, arrows, thumb and scale from the last layout
    std::int32_t m_pressedPart = treectrl::kNoPart; // scroll-bar part under a held pen
    CPoint m_lastDragPoint;                         // pen position during a thumb drag

    // --- State: drawing resources, made at the first paint ---
    BYTE m_resourcesCreated = 0; // every resource below exists
    CSize m_surfaceSize;         // client size at the first paint; surfaces keep it
    CDC m_frameDc;               // the whole control is composed here, then copied out
    CBitmap m_frameBitmap;
    CDC m_bandDc[2]; // the rendered rows in view, and the spare for a scroll
    CBitmap m_bandBitmap[2];
    int m_bandIndex = 0;                   // which of the two band surfaces is current
    treectrl::RowBand m_band;              // which content slice the current band holds
    CFont m_rowFont;                       // Tahoma, 13-pixel cells
    CharAdvances* m_rowAdvances = nullptr; // the row font's advance widths, which titles are measured by
    std::int32_t m_lineHeight = 0;         // height of one text line in the row font
    CBitmap m_checkedBitmap, m_uncheckedBitmap;
    CBitmap m_minusBitmap, m_plusBitmap;
    CBitmap m_notesBitmap;
    CBitmap m_arrowUpBitmap, m_arrowDownBitmap;
    CDC m_thumbDc[3]; // top end, body slice, bottom end
    CBitmap m_thumbBitmap[3];
};
