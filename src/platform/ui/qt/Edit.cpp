// CEdit: selection and replacement in a text field.
#include "platform/ui/Edit.h"

#include "platform/ui/qt/ControlWidgets.h"

namespace {
platform::EditWidget* EditOf(const CWnd& wnd) {
    return dynamic_cast<platform::EditWidget*>(platform::WidgetOf(wnd));
}
} // namespace

void CEdit::SetSel(int start, int end) {
    if (platform::EditWidget* edit = EditOf(*this)) {
        edit->SetSelection(start, end);
    }
}

void CEdit::ReplaceSel(const std::u16string& text) {
    if (platform::EditWidget* edit = EditOf(*this)) {
        edit->ReplaceSelection(text);
    }
}

void CEdit::GetSel(int* start, int* end) const {
    if (platform::EditWidget* edit = EditOf(*this)) {
        edit->Selection(start, end);
        return;
    }
    if (start != nullptr) {
        *start = 0;
    }
    if (end != nullptr) {
        *end = 0;
    }
}
