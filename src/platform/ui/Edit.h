// CEdit: a single-line or multi-line text field that the input panel and the keyboard type into.
#pragma once

#include "platform/ui/Wnd.h"

#include <string>

/// An edit control. ES_MULTILINE makes a multi-line field (Ctrl+Enter always inserts a line break,
/// plain Enter only with ES_WANTRETURN); ES_NUMBER accepts digits only.
class CEdit : public CWnd {
public:
    /// Selects characters [start, end); end -1 means to the end of the text.
    void SetSel(int start, int end);
    /// Replaces the selection with `text` (inserts at the caret when nothing is selected).
    void ReplaceSel(const std::u16string& text);
    /// The selection as [start, end).
    void GetSel(int* start, int* end) const;
};
