// The "General" page: title, quantity and importance of one item, on a light-blue background.
#include "editor/ItemGeneralDetailsPage.h"

#include "model/TaskItem.h"
#include "platform/ui/DataExchange.h"
#include "res/ResourceIds.h"

namespace {

bool IsImportanceCode(std::int32_t code) {
    return code >= TaskItem::kHighImportance && code <= TaskItem::kLowImportance;
}

} // namespace

CItemGeneralDetailsPage::CItemGeneralDetailsPage(TaskItem* item)
    : CItemDetailsPage(IDD_ITEM_GENERAL),
      // An importance read from a file may be no code at all: the page offers Normal, so accepting
      // always stores a valid code.
      m_importance(IsImportanceCode(item->importance) ? item->importance : TaskItem::kNormalImportance),
      m_quantity(item->quantity), m_title(item->title), m_item(item) {}

CItemGeneralDetailsPage::~CItemGeneralDetailsPage() = default;

void CItemGeneralDetailsPage::DoDataExchange(CDataExchange* pDX) {
    CItemDetailsPage::DoDataExchange(pDX);
    int importance = m_importance;
    DDX_Radio(pDX, IDC_IMPORTANCE_HIGH, importance);
    m_importance = importance;
    DDX_Text(pDX, IDC_ITEM_QUANTITY, m_quantity);
    DDX_Text(pDX, IDC_ITEM_TITLE, m_title);
}

void CItemGeneralDetailsPage::OnOK() {
    m_item->title = m_title;
    m_item->quantity = m_quantity;
    if (IsImportanceCode(m_importance)) {
        m_item->importance = m_importance;
    }
}
