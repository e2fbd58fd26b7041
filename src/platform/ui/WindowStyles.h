// Window and control style bits and the standard control class names, shared by dialog templates
// and the controls built from them.
#pragma once

#include "platform/ui/WinTypes.h"

// General window styles.
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;

// Static text and picture styles (the low bits are a kind, not flags).
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD SS_BITMAP = 0x000E;
constexpr DWORD SS_TYPEMASK = 0x001F;

// Edit styles.
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;

// Button styles (the low bits are a kind, not flags).
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_TYPEMASK = 0x000F;

// List view styles.
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;

// Dialog styles.
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;
/// The dialog wants an OK button in the device's caption bar.
constexpr DWORD WS_EX_CAPTIONOKBTN = 0x80000000;
/// The dialog is an application window (shown in the task list).
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;

// Standard control class names, compared without regard to case.
inline constexpr char16_t kStaticClass[] = u"STATIC";
inline constexpr char16_t kEditClass[] = u"EDIT";
inline constexpr char16_t kButtonClass[] = u"BUTTON";
inline constexpr char16_t kListViewClass[] = u"SysListView32";
