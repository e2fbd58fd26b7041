// The check-tree control inside the list editor's dialog template: the template names its window
// class, the screen binds the control, and the rows show and answer the pen there.
#include "TreeTestHost.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "res/ResourceIds.h"

using namespace treetest;

namespace {

/// The editor's screen reduced to what the control needs: bind it, fill it.
class EditorLikeScreen : public CDialog {
public:
    EditorLikeScreen() : CDialog(IDD_LISTEDITOR) {}
    CVisualTreeCtrl tree;
    bool bound = false;

protected:
    bool OnInitDialog() override {
        const bool result = CDialog::OnInitDialog();
        bound = tree.SubclassDlgItem(IDC_TASKS, this);
        return result;
    }
    bool OnNotify(const NMHDR& hdr, LRESULT* result) override {
        codes.push_back(hdr.code);
        return CDialog::OnNotify(hdr, result);
    }

public:
    std::vector<UINT> codes;
};

} // namespace

TEST(TreeInDialog, TheEditorsTemplateMakesTheControlAndItsTapsReachTheScreen) {
    InstallProgramResources();
    uitest::GestureOverride noHolds(uitest::GestureAnswer::NoHold);
    EditorLikeScreen screen;
    BYTE milkChecked = 0;
    uitest::RunModal(screen, [&] {
        ASSERT_TRUE(screen.bound);
        EXPECT_EQ(screen.tree.GetClassName(), u"MFCVisualTreeCtrl");
        screen.tree.AddColumn();
        VisualNode* milk = screen.tree.InsertItem(u"Milk", 1, 1, nullptr, &milkChecked);
        const auto image = uitest::Grab(screen.tree);
        EXPECT_EQ(image.Pixel(150, 5), kEvenRow);
        const CRect box = screen.tree.GetCheckBoxRect(milk);
        uitest::Tap(screen.tree, CPoint(box.left + 5, box.top + 5));
        screen.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(milkChecked, 1);
    EXPECT_EQ(screen.codes, (std::vector<UINT>{kCheckChanged}));
}
