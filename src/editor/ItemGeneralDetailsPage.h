// CItemGeneralDetailsPage: the "General" page of the item details sheet: title, quantity and
// importance.
#pragma once

#include "editor/ItemDetailsPage.h"

#include <cstdint>
#include <string>

class TaskItem;

/// Page 0. Its fields start as copies of the item's; a shown page writes them into
/// the item when the sheet is accepted.
class CItemGeneralDetailsPage : public CItemDetailsPage {
public:
    explicit CItemGeneralDetailsPage(TaskItem* item);
    ~CItemGeneralDetailsPage() override;

    /// The sheet is accepted: title, quantity and importance go into the item.
    void OnOK() override;

protected:
    /// Importance with the radio group, quantity ("%u", refused unless an unsigned number) and title.
    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::int32_t m_importance; ///< position in the radio group: the importance code
    std::uint32_t m_quantity;
    std::u16string m_title;
    TaskItem* m_item; ///< not owned
};
