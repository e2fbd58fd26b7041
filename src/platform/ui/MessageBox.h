// Message boxes: a text, one of three button sets and an icon, titled with the program's name,
// answering the button pressed.
#pragma once

#include "platform/ui/WinTypes.h"

#include <string>

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONMASK = 0x000000F0;

/// Shows `text` modally over the active screen with the buttons and icon of `type` (MB_OK,
/// MB_OKCANCEL, MB_YESNOCANCEL or MB_YESNO, with an MB_ICON... value), titled with the application's
/// name. Answers IDOK, IDCANCEL, IDYES or IDNO. The default button (OK, Yes) has the focus; Tab and
/// Shift+Tab move it, Space presses the focused button. Enter presses nothing: it is the Open
/// command, never an answer. Escape answers IDCANCEL where there is a Cancel and IDOK on an OK-only
/// box; on a Yes/No question it does nothing. A box closed without a button (the program ending)
/// answers IDCANCEL (IDNO for Yes/No). The screen under the box gets OnSetFocus when it closes.
int AfxMessageBox(const std::u16string& text, UINT type = MB_OK);
