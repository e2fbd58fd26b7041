// What kind of button a style makes, and the radio group a button belongs to. Platform-internal.
#pragma once

#include "platform/ui/WindowStyles.h"
#include "platform/ui/qt/ControlWidgets.h"

#include <vector>

namespace platform {

inline DWORD ButtonKindOf(DWORD style) {
    return style & BS_TYPEMASK;
}
inline bool IsRadioButton(DWORD style) {
    return ButtonKindOf(style) == BS_RADIOBUTTON || ButtonKindOf(style) == BS_AUTORADIOBUTTON;
}
inline bool IsCheckBox(DWORD style) {
    return ButtonKindOf(style) == BS_CHECKBOX || ButtonKindOf(style) == BS_AUTOCHECKBOX;
}
inline bool IsPushButton(DWORD style) {
    return ButtonKindOf(style) == BS_PUSHBUTTON || ButtonKindOf(style) == BS_DEFPUSHBUTTON;
}
/// The button widget of a window, or null.
inline ButtonWidget* ButtonOf(const CWnd& wnd) {
    return dynamic_cast<ButtonWidget*>(WidgetOf(wnd));
}
/// The radio buttons of `button`'s group: from the nearest WS_GROUP control at or before it up to the
/// next WS_GROUP control, in creation order.
std::vector<ButtonWidget*> RadioGroupOf(ButtonWidget* button);

} // namespace platform
