// CPropertySheet and CPropertyPage: a full-screen screen of pages, each built from its own dialog
// template, switched by tabs along the bottom; accepting validates the page in front and lets every
// page that was shown write its fields.
#pragma once

#include "platform/ui/Dialog.h"

#include <string>
#include <vector>

class CPropertySheet;

namespace platform {
class PropertySheetTabs;
}

/// One page of a property sheet. Its window is made the first time it comes to the front (so a page
/// never shown has no window and writes nothing); its commands and keys go on to the sheet.
class CPropertyPage : public CDialog {
public:
    /// A page made from template `templateId`; the template's caption labels its tab.
    explicit CPropertyPage(UINT templateId);
    /// True once the page has come to the front (its window exists until the sheet ends).
    bool HasBeenShown() const { return m_shown; }

    /// The page comes to the front. The base reloads the fields into the controls on every
    /// activation but the first (the first is the page's initialisation). Answer false to refuse.
    virtual bool OnSetActive();
    /// The page is about to leave the front (another tab, or the sheet is accepted). The base saves
    /// and validates the fields; false keeps the page in front.
    virtual bool OnKillActive();
    /// The sheet is accepted: a shown page writes its fields where they belong. The base does nothing.
    void OnOK() override;
    /// The sheet is cancelled. The base does nothing.
    void OnCancel() override;
    /// Pages have no dialog keys of their own: Escape and Enter are the sheet's.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    /// The page's initialisation: fills the controls (UpdateData(false)). None of a screen's
    /// full-screen steps: the sheet did them.
    bool OnInitDialog() override;
    /// Commands the page does not handle go to the sheet (OK and cancel among them).
    bool OnCommand(UINT id) override;

private:
    friend class CPropertySheet;

    CPropertySheet* m_sheet = nullptr; ///< the sheet it belongs to; not owned
    bool m_shown = false;              ///< it has been in front
    bool m_activatedBefore = false;    ///< OnSetActive ran before (later activations reload)
};

/// A modal full-screen sheet of pages. DoModal shows the start page; the tabs switch pages (the page
/// in front must accept leaving); OK (the caption OK, or IDOK sent by the program) validates the
/// page in front and, when it accepts, lets every shown page write (OnOK) and ends with IDOK;
/// cancel ends with IDCANCEL and writes nothing.
class CPropertySheet : public CDialog {
public:
    /// A sheet with `caption`; `startPage` is the index of the page shown first.
    CPropertySheet(std::u16string caption, CWnd* parent = nullptr, UINT startPage = 0);
    ~CPropertySheet() override;

    /// Adds a page (not owned: it must live as long as the sheet), after the others.
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    /// The page in front, or null before the sheet runs.
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_active; }
    /// Brings page `index` to the front; false when the page in front refuses to leave, the new one
    /// refuses to come, or there is no such page.
    bool SetActivePage(int index);

protected:
    /// The screen's initialisation, then the tabs and the start page.
    bool OnInitDialog() override;
    /// Accepting: the page in front validates; then every shown page writes and the sheet ends.
    void OnOK() override;
    /// Cancelling: every shown page hears of it and the sheet ends with IDCANCEL.
    void OnCancel() override;
    void OnDestroy() override;

private:
    /// Makes page `index`'s window (once) below the tabs' area.
    bool ShowPage(int index);

    std::vector<CPropertyPage*> m_pages;           ///< in tab order; not owned
    UINT m_startPage;                              ///< shown first
    int m_active = -1;                             ///< the page in front, -1 before the sheet runs
    platform::PropertySheetTabs* m_tabs = nullptr; ///< the tab strip while the sheet runs
};
