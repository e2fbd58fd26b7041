// Small resource tables of the framework tests' own: one screen with every kind of control, a menu
// with two popups, a menu-bar record and a shortcut table, so the tests do not depend on the
// program's resources.
#pragma once

#include "platform/ui/Resources.h"
#include "platform/ui/Wnd.h"

namespace frameworktest {

constexpr std::uint16_t kScreen = 900;
constexpr std::uint16_t kBrokenScreen = 903;
constexpr std::uint16_t kMenu = 901;
constexpr std::uint16_t kShortcuts = 902;
constexpr std::uint16_t kCustomClassId = 1012;
inline constexpr char16_t kCustomClass[] = u"FrameworkTestCustom";

constexpr std::uint16_t kLabel = 1001;
constexpr std::uint16_t kField = 1003;
constexpr std::uint16_t kButton = 1004;
constexpr std::uint16_t kRadioFirst = 1005;
constexpr std::uint16_t kRadioSecond = 1006;
constexpr std::uint16_t kRadioThird = 1007;
constexpr std::uint16_t kList = 1000;

constexpr std::uint16_t kCmdFirst = 32900;
constexpr std::uint16_t kCmdSecond = 32901;
constexpr std::uint16_t kCmdNoHandler = 32902;
constexpr std::uint16_t kCmdOpen = 57601;

inline constexpr DialogItemTemplate kScreenItems[] = {
    {kLabel, kStaticClass, u"Title & more", 4, 4, 40, 8, WS_CHILD | WS_VISIBLE | SS_LEFT},
    {kField, kEditClass, u"", 48, 2, 80, 12, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {kButton, kButtonClass, u"Press", 4, 18, 40, 12, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {IDC_STATIC, kButtonClass, u"Importance", 48, 16, 88, 46, WS_CHILD | WS_VISIBLE | BS_GROUPBOX},
    {kRadioFirst, kButtonClass, u"High", 52, 26, 60, 10,
     WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON},
    {kRadioSecond, kButtonClass, u"Normal", 52, 37, 60, 10,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON},
    {kRadioThird, kButtonClass, u"Low", 52, 48, 60, 10,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON},
    {kList, kListViewClass, u"", 0, 64, 138, 50,
     WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER},
    {kCustomClassId, kCustomClass, u"Custom", 0, 116, 138, 38, WS_CHILD | WS_VISIBLE | WS_TABSTOP},
};

inline constexpr DialogItemTemplate kBrokenItems[] = {
    {1, u"NoSuchClass", u"", 0, 0, 10, 10, WS_CHILD | WS_VISIBLE},
};

inline constexpr DialogTemplate kDialogs[] = {
    {kScreen, u"Framework", 140, 155, WS_POPUP | DS_SETFONT, 0, u"System", 8, kScreenItems},
    {kBrokenScreen, u"Broken", 140, 155, WS_POPUP, 0, u"System", 8, kBrokenItems},
};

inline constexpr MenuItemTemplate kFirstPopup[] = {
    {0, kCmdFirst, u"&First"},
    {MF_SEPARATOR, 0, u""},
    {0, kCmdNoHandler, u"No handler"},
};
inline constexpr MenuItemTemplate kSecondPopup[] = {
    {0, kCmdSecond, u"Second && last"},
};
inline constexpr MenuItemTemplate kMenuItems[] = {
    {MF_POPUP, 0, u"&One", kFirstPopup},
    {MF_POPUP, 0, u"T&wo", kSecondPopup},
};
inline constexpr MenuTemplate kMenus[] = {{kMenu, kMenuItems}};

inline constexpr AcceleratorEntry kShortcutEntries[] = {{FVIRTKEY, VK_RETURN, kCmdOpen}};
inline constexpr AcceleratorTable kAccelerators[] = {{kShortcuts, kShortcutEntries}};

inline const ResourceTables kTables{{}, kDialogs, kMenus, {}, kAccelerators};

/// Installs the tables above and registers the custom class.
inline void InstallFrameworkTables() {
    InstallResources(kTables);
    RegisterWindowClass(kCustomClass);
}

} // namespace frameworktest
