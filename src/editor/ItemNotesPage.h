// CItemNotesPage: the "Notes" page of the item details sheet, where Enter gives line breaks.
#pragma once

#include "editor/ItemDetailsPage.h"

#include <string>

class TaskItem;

/// Page 1: the item's notes in a multi-line field.
class CItemNotesPage : public CItemDetailsPage {
public:
    explicit CItemNotesPage(TaskItem* item);
    ~CItemNotesPage() override;

    /// The sheet is accepted: the notes go into the item.
    void OnOK() override;
    /// On the release of Enter in a field that accepts Enter, injects Control+Enter, which the field
    /// takes as a line break and the program's Enter shortcut does not match. Consumes nothing.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::u16string m_notes;
    TaskItem* m_item; ///< not owned
};
