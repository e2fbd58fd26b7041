// CItemNotesPage: the "Notes" page of the item details sheet, where Enter gives line breaks.
#pragma once

#include "platform/ui/DC.h"
#include "platform/ui/PropertySheet.h"

#include <string>

class TaskItem;

/// Page 1 (template 170): the item's notes in a multi-line field.
class CItemNotesPage : public CPropertyPage {
public:
    explicit CItemNotesPage(TaskItem* item);
    ~CItemNotesPage() override;

    /// The sheet is accepted: the notes go into the item.
    void OnOK() override;
    /// The input panel comes up, then the field is loaded as for any page.
    bool OnSetActive() override;
    /// On the release of Enter in a field that accepts Enter, injects Control+Enter, which the field
    /// takes as a line break and the program's Enter shortcut does not match. Consumes nothing.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnEraseBkgnd(CDC& dc) override;
    /// After the page is drawn the input panel comes up again, should the user have lowered it.
    void OnPaint(CDC& dc) override;
    void OnDestroy() override;

private:
    std::u16string m_notes;
    CBrush m_background; ///< light blue
    TaskItem* m_item;    ///< not owned
};
