// CItemGeneralDetailsPage: the "General" page of the item details sheet: title, quantity and
// importance.
#pragma once

#include "platform/ui/DC.h"
#include "platform/ui/PropertySheet.h"

#include <cstdint>
#include <string>

class TaskItem;

/// Page 0 (template 169). Its fields start as copies of the item's; a shown page writes them into
/// the item when the sheet is accepted.
class CItemGeneralDetailsPage : public CPropertyPage {
public:
    explicit CItemGeneralDetailsPage(TaskItem* item);
    ~CItemGeneralDetailsPage() override;

    /// The sheet is accepted: title, quantity and importance go into the item.
    void OnOK() override;
    /// The input panel comes up, then the fields are loaded as for any page.
    bool OnSetActive() override;

protected:
    /// Importance with the radio group at 1005, quantity with 1004 ("%u", refused unless an unsigned
    /// number), title with 1003.
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnEraseBkgnd(CDC& dc) override;
    /// After the page is drawn the input panel comes up again, should the user have lowered it.
    void OnPaint(CDC& dc) override;
    void OnDestroy() override;

private:
    std::int32_t m_importance; ///< position in the radio group: the importance code
    std::uint32_t m_quantity;
    std::u16string m_title;
    CBrush m_background; ///< light blue
    TaskItem* m_item;    ///< not owned
};
