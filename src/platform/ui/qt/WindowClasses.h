// Window classes: the registered class names, and the widget and default object made for a class
// when a template or Create names it. Platform-internal.
#pragma once

#include "platform/ui/qt/WndWidget.h"

#include <memory>
#include <optional>
#include <string>

namespace platform {

/// The kind of window a class name makes (standard controls by name, any registered class as a
/// custom window); nothing for an unknown class.
std::optional<WindowKind> KindOfClass(const std::u16string& className);
/// Makes the widget for a window of `kind` with these style bits under `parent`.
WndWidget* CreateWindowWidget(WindowKind kind, DWORD style, QWidget* parent);
/// The object a dialog gives a control until DoDataExchange binds one of the program's.
std::unique_ptr<CWnd> MakeDefaultObject(WindowKind kind);
/// True when `wnd` (by its class) can be bound to a window of `kind`.
bool ObjectFitsKind(const CWnd& wnd, WindowKind kind);
/// The dialog font: the device face at the size of the templates' "System" 8 point.
CFont& DialogFont();
/// The font `wnd` draws text with: its own, else the dialog font.
CFont& FontOf(const CWnd& wnd);

} // namespace platform
