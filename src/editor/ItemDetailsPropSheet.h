// CItemDetailsPropSheet: the item details sheet: the General and Notes pages of one item, with the
// Cancel and OK buttons of its command bar.
#pragma once

#include "editor/ItemGeneralDetailsPage.h"
#include "editor/ItemNotesPage.h"
#include "platform/ui/CommandBar.h"
#include "platform/ui/PropertySheet.h"

#include <memory>

class TaskItem;

/// The modal sheet "Item Details" on one `TaskItem` (not owned). The item changes only when the sheet
/// is accepted, and then only in the fields of the pages that were shown.
class CItemDetailsPropSheet : public CPropertySheet {
public:
    /// The pages by index, for the starting page.
    static constexpr UINT kGeneralPage = 0;
    static constexpr UINT kNotesPage = 1;

    CItemDetailsPropSheet(TaskItem* item, CWnd* parent = nullptr, UINT startPage = kGeneralPage);
    ~CItemDetailsPropSheet() override;

    CItemGeneralDetailsPage& GetGeneralPage() { return *m_generalPage; }

    /// A plain Enter never accepts the sheet and reaches no field as itself: the notes field gets its
    /// line break from the Notes page, the others ignore it. Escape cancels.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    /// The command bar, then the sheet's own initialisation.
    bool OnInitDialog() override;

private:
    CCommandBar m_commandBar;                               ///< Cancel and OK
    TaskItem* m_item;                                       ///< the item edited; not owned
    std::unique_ptr<CItemGeneralDetailsPage> m_generalPage; ///< page 0
    std::unique_ptr<CItemNotesPage> m_notesPage;            ///< page 1
};
