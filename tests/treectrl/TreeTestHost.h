// What the check-tree tests share: a parent window that records the notifications it receives, a
// control placed in it the way the list editor places it, and owner icons.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"
#include "platform/ui/Font.h"
#include "platform/ui/Notify.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/testing/UiTest.h"
#include "treectrl/VisualTreeCtrl.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace treetest {

/// The control's id on the list editor screen.
inline constexpr UINT kTreeId = 1012;
/// The editor's control fills the device screen's width.
inline constexpr int kTreeWidth = 240;
inline constexpr int kTreeHeight = 320;

// The numbers the rules give, written here rather than read from the control, so that a mistyped
// constant in the control fails its tests. Colours are 0x00BBGGRR.
inline constexpr COLORREF kEvenRow = 0x00F7E3DF;       ///< first, third, ... shown row
inline constexpr COLORREF kOddRow = 0x00BEF5F4;        ///< second, fourth, ... shown row
inline constexpr COLORREF kSelectedRow = 0x00C8B4DC;   ///< the selected row's background
inline constexpr COLORREF kSelectedText = 0x00C83232;  ///< the selected row's text
inline constexpr COLORREF kScrollBarGrey = 0x00BEBEBE; ///< the scroll bar's background
inline constexpr COLORREF kFrame = 0x008D504D;         ///< the lines along the top and bottom
inline constexpr UINT kCheckChanged = 8500;            ///< notification after a checked-flag write
inline constexpr UINT kNotesClicked = 8501;            ///< notification when a notes mark is tapped
inline constexpr UINT kHoldGesture = 1000;             ///< the gesture recogniser's tap-and-hold
inline constexpr UINT kOnCheckBox = 1;                 ///< hit-test flags
inline constexpr UINT kOnExpander = 2;
inline constexpr UINT kOnNotes = 4;

/// One notification as the parent received it.
struct Received {
    UINT code = 0;
    UINT id = 0;
    CWnd* from = nullptr;
    CPoint holdPoint; // screen point, for the tap-and-hold notification only
};

/// A top-level window that records every notification from its children.
class RecordingParent : public CWnd {
public:
    std::vector<Received> received;
    /// Runs for each notification after it is recorded, like an owner's handler would.
    std::function<void(const NMHDR&)> onNotify;

    std::vector<UINT> Codes() const {
        std::vector<UINT> codes;
        for (const Received& r : received) {
            codes.push_back(r.code);
        }
        return codes;
    }

protected:
    bool OnNotify(const NMHDR& hdr, LRESULT* result) override {
        Received r{hdr.code, hdr.idFrom, hdr.hwndFrom, {}};
        if (hdr.code == GN_CONTEXTMENU) {
            r.holdPoint = reinterpret_cast<const NMRGINFO&>(hdr).ptAction;
        }
        received.push_back(r);
        if (onNotify) {
            onNotify(hdr);
        }
        if (result != nullptr) {
            *result = 0;
        }
        return true;
    }
};

/// A control that counts the rows it renders.
class CountingTreeCtrl : public CVisualTreeCtrl {
public:
    std::vector<const VisualNode*> drawn;
    using CVisualTreeCtrl::ForgetMeasurements;
    using CVisualTreeCtrl::RecalcLayout;
    /// A turn of the desktop wheel by `notches` (positive: away from the user).
    void Wheel(int notches) { OnMouseWheel(0, notches * WHEEL_DELTA, CPoint(100, 100)); }

protected:
    void DrawItem(VisualNode* node) override {
        drawn.push_back(node);
        CVisualTreeCtrl::DrawItem(node);
    }
};

/// Three 12 x 12 icons of distinct colours with red (transparent) corners, like the editor's
/// importance marks.
class OwnerIcons {
public:
    static constexpr std::array<COLORREF, 3> kColours = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 230)};

    OwnerIcons() {
        for (std::size_t i = 0; i < bitmaps.size(); ++i) {
            bitmaps[i].CreateBitmap(12, 12);
            CDC dc;
            dc.CreateCompatibleDC(nullptr);
            dc.SelectObject(&bitmaps[i]);
            dc.FillSolidRect(CRect(0, 0, 12, 12), kColours[i]);
            for (CPoint corner : {CPoint(0, 0), CPoint(11, 0), CPoint(0, 11), CPoint(11, 11)}) {
                dc.SetPixel(corner.x, corner.y, RGB(255, 0, 0));
            }
        }
    }
    std::array<CBitmap, 3> bitmaps;
};

/// A parent window with one check-tree control in it, as the editor sets it up: icons given, one
/// text column added.
class TreeFixture : public ::testing::Test {
protected:
    void SetUp() override { Build(kTreeWidth, kTreeHeight); }

    void Build(int width, int height) {
        RegisterWindowClass(u"TreeTestParent");
        ASSERT_TRUE(
            parent.Create(u"TreeTestParent", u"", WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0));
        ASSERT_TRUE(tree.Create(std::u16string(CVisualTreeCtrl::kClassName), u"Tasks", WS_CHILD | WS_VISIBLE,
                                CRect(0, 0, width, height), &parent, kTreeId));
        tree.SetImageList(icons.bitmaps);
        tree.AddColumn();
        // The first paint exposes the window; from then on repaints happen before calls return.
        uitest::ProcessEvents();
        Grab();
    }

    /// A fresh window of another size, with no rows (the owner's flags go with them).
    void Rebuild(int width, int height) {
        tree.DeleteAllItems();
        flags.clear();
        tree.DestroyWindow();
        parent.DestroyWindow();
        Build(width, height);
    }

    void TearDown() override {
        if (tree.HasWindow()) {
            tree.DestroyWindow();
        }
        if (parent.HasWindow()) {
            parent.DestroyWindow();
        }
    }

    /// Adds a row with its own checked flag.
    VisualNode* Add(std::u16string_view text, VisualNode* parentRow = nullptr, int image = 1) {
        flags.push_back(std::make_unique<BYTE>(0));
        return tree.InsertItem(text, image, image, parentRow, flags.back().get());
    }

    /// Adds `count` rows titled `text` and paints, which lays them out.
    void AddRows(int count, std::u16string_view text) {
        for (int i = 0; i < count; ++i) {
            Add(text);
        }
        Grab();
    }

    uitest::GrabbedImage Grab() { return uitest::Grab(tree); }

    // Taps on rows start the tap-and-hold recogniser; it answers at once instead of waiting.
    std::optional<uitest::GestureOverride> gestures{std::in_place, uitest::GestureAnswer::NoHold};
    RecordingParent parent;
    CountingTreeCtrl tree;
    OwnerIcons icons;
    std::vector<std::unique_ptr<BYTE>> flags; // the owner's checked flags, one per row
};

} // namespace treetest
