// CPropertySheet and CPropertyPage: pages made on first show, tab switching with validation, and
// the accept and cancel sequences.
#include "platform/ui/PropertySheet.h"

#include "platform/ui/Resources.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/qt/DeviceWindow.h"
#include "platform/ui/qt/PropertySheetTabs.h"
#include "platform/ui/qt/QtText.h"
#include "platform/ui/qt/WndWidget.h"

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId) {}

bool CPropertyPage::OnSetActive() {
    if (m_activatedBefore) {
        UpdateData(false);
    }
    m_activatedBefore = true;
    return true;
}

bool CPropertyPage::OnKillActive() {
    return UpdateData(true);
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

bool CPropertyPage::PreTranslateMessage(MSG& /*msg*/) {
    return false;
}

bool CPropertyPage::OnInitDialog() {
    UpdateData(false);
    return true;
}

bool CPropertyPage::OnCommand(UINT id) {
    if (GetCommandMap().DispatchCommand(id)) {
        return true;
    }
    CWnd* sheet = GetParent();
    return sheet != nullptr && sheet->SendCommand(id);
}

CPropertySheet::CPropertySheet(std::u16string caption, CWnd* parent, UINT startPage)
    : CDialog(std::move(caption), parent), m_startPage(startPage) {}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (page == nullptr) {
        return;
    }
    page->m_sheet = this;
    m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    if (index < 0 || index >= GetPageCount()) {
        return nullptr;
    }
    return m_pages[static_cast<std::size_t>(index)];
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return GetPage(m_active);
}

bool CPropertySheet::OnInitDialog() {
    CDialog::OnInitDialog();
    platform::WndWidget* screen = platform::WidgetOf(*this);
    std::vector<QString> labels;
    for (CPropertyPage* page : m_pages) {
        const DialogTemplate* source = FindDialogTemplate(static_cast<std::uint16_t>(page->GetTemplateId()));
        labels.push_back(source != nullptr ? ToQString(source->caption) : QString());
    }
    m_tabs = new platform::PropertySheetTabs(
        std::move(labels), [this](int index) { SetActivePage(index); }, screen);
    const int stripHeight = platform::PropertySheetTabs::StripHeight();
    m_tabs->setGeometry(0, screen->height() - stripHeight, screen->width(), stripHeight);
    m_tabs->show();
    const int start = static_cast<int>(m_startPage) < GetPageCount() ? static_cast<int>(m_startPage) : 0;
    SetActivePage(start);
    // The page in front has put the focus where it belongs.
    return false;
}

bool CPropertySheet::ShowPage(int index) {
    CPropertyPage* page = GetPage(index);
    if (page == nullptr) {
        return false;
    }
    if (!page->HasWindow()) {
        platform::WndWidget* screen = platform::WidgetOf(*this);
        if (screen == nullptr || !page->BuildWindow(screen)) {
            return false;
        }
        platform::WndWidget* pageWidget = platform::WidgetOf(*page);
        pageWidget->setGeometry(0, 0, screen->width(),
                                screen->height() - platform::PropertySheetTabs::StripHeight());
        pageWidget->show();
        page->m_shown = true;
        page->OnInitDialog();
    }
    platform::WidgetOf(*page)->show();
    return true;
}

bool CPropertySheet::SetActivePage(int index) {
    if (GetPage(index) == nullptr) {
        return false;
    }
    if (index == m_active) {
        return true;
    }
    CPropertyPage* leaving = GetActivePage();
    if (leaving != nullptr && !leaving->OnKillActive()) {
        return false;
    }
    if (!ShowPage(index)) {
        return false;
    }
    CPropertyPage* coming = GetPage(index);
    if (!coming->OnSetActive()) {
        return false;
    }
    if (leaving != nullptr) {
        platform::WidgetOf(*leaving)->hide();
    }
    m_active = index;
    if (m_tabs != nullptr) {
        m_tabs->SetActive(index);
    }
    platform::WndWidget* pageWidget = platform::WidgetOf(*coming);
    pageWidget->raise();
    if (m_tabs != nullptr) {
        m_tabs->raise(); // a page taller than a sheet shrunk by the input panel stays below the tabs
    }
    for (QObject* child : pageWidget->children()) {
        auto* control = dynamic_cast<platform::WndWidget*>(child);
        if (control != nullptr && (control->style & WS_TABSTOP) != 0 && control->isEnabled()) {
            control->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
    return true;
}

void CPropertySheet::OnOK() {
    CPropertyPage* front = GetActivePage();
    if (front != nullptr && !front->OnKillActive()) {
        return;
    }
    for (CPropertyPage* page : m_pages) {
        if (page->HasBeenShown()) {
            page->OnOK();
        }
    }
    EndDialog(IDOK);
}

void CPropertySheet::OnCancel() {
    for (CPropertyPage* page : m_pages) {
        if (page->HasBeenShown()) {
            page->OnCancel();
        }
    }
    EndDialog(IDCANCEL);
}

void CPropertySheet::OnDestroy() {
    // The pages' windows go with the sheet's; a later run makes them afresh.
    m_tabs = nullptr;
    m_active = -1;
    for (CPropertyPage* page : m_pages) {
        page->m_shown = false;
        page->m_activatedBefore = false;
    }
    CDialog::OnDestroy();
}
