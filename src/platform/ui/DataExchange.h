// Dialog data exchange: binding controls to objects and copying field values to and from controls.
#pragma once

#include "platform/ui/WinTypes.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

class CDialog;
class CWnd;

/// Thrown by a failed validation inside DoDataExchange; UpdateData catches it and answers false.
class DataExchangeFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The state of one data exchange pass.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CDialog* m_pDlgWnd;      ///< the dialog whose controls are exchanged
    bool m_bSaveAndValidate; ///< true: controls -> fields; false: fields -> controls

    /// Remembers the edit control that the next validation is about, for Fail.
    void PrepareEditCtrl(UINT id) { m_lastControl = id; }
    /// Ends the pass as failed: the prepared control gets the focus with its text selected.
    [[noreturn]] void Fail();

private:
    UINT m_lastControl = 0; ///< control id of the latest PrepareEditCtrl, 0 when none
};

/// Binds control `id` of the dialog to `control` (once: later passes leave it bound). Throws
/// std::logic_error when the dialog has no such control or it is of another kind.
void DDX_Control(CDataExchange* pDX, UINT id, CWnd& control);
/// Copies the text of control `id` to and from `value`.
void DDX_Text(CDataExchange* pDX, UINT id, std::u16string& value);
/// The framework's message for a refused unsigned number; the program's string table may word it.
constexpr UINT AFX_IDP_PARSE_UINT = 61719;
/// Copies an unsigned 32-bit number to ("%u") and from the text of control `id`. Saving refuses text
/// that is not one unsigned decimal number that fits in 32 bits (spaces and tabs around it allowed,
/// no sign): it shows message AFX_IDP_PARSE_UINT and fails with the field's text selected.
void DDX_Text(CDataExchange* pDX, UINT id, std::uint32_t& value);
/// The unsigned number `text` holds by the rules of DDX_Text, or nothing when it is refused.
std::optional<std::uint32_t> ParseUnsigned32(std::u16string_view text);

/// Copies the checked button of the radio group starting at `firstId` to and from `value` (its
/// position in the group, -1 when none is checked).
void DDX_Radio(CDataExchange* pDX, UINT firstId, int& value);
