// The registered window classes and what each class name makes.
#include "platform/ui/qt/WindowClasses.h"

#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Font.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Static.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/qt/ControlWidgets.h"

#include <QString>

#include <set>

namespace platform {
namespace {

/// Class names compare without regard to case, as the device's do.
QString Folded(const std::u16string& name) {
    return QString::fromStdU16String(name).toCaseFolded();
}

std::set<QString>& RegisteredClasses() {
    static std::set<QString> classes;
    return classes;
}

/// "System" 8 point on the device is the device face with a 13-pixel cell.
constexpr int kDialogFontCellHeight = 13;

} // namespace

std::optional<WindowKind> KindOfClass(const std::u16string& className) {
    const QString name = Folded(className);
    if (name == Folded(kStaticClass)) {
        return WindowKind::Static;
    }
    if (name == Folded(kEditClass)) {
        return WindowKind::Edit;
    }
    if (name == Folded(kButtonClass)) {
        return WindowKind::Button;
    }
    if (name == Folded(kListViewClass)) {
        return WindowKind::ListView;
    }
    if (RegisteredClasses().contains(name)) {
        return WindowKind::Custom;
    }
    return std::nullopt;
}

WndWidget* CreateWindowWidget(WindowKind kind, DWORD style, QWidget* parent) {
    WndWidget* widget = nullptr;
    switch (kind) {
    case WindowKind::Static:
        widget = new StaticWidget(parent);
        break;
    case WindowKind::Edit:
        widget = new EditWidget(style, parent);
        break;
    case WindowKind::Button:
        widget = new ButtonWidget(parent);
        break;
    case WindowKind::ListView:
        widget = new ListViewWidget(parent);
        break;
    case WindowKind::Custom:
    case WindowKind::Screen:
        widget = new WndWidget(kind, parent);
        break;
    }
    widget->style = style;
    const bool takesFocus = (style & WS_TABSTOP) != 0 || kind == WindowKind::Custom;
    widget->setFocusPolicy(takesFocus ? Qt::StrongFocus : Qt::NoFocus);
    widget->setEnabled((style & WS_DISABLED) == 0);
    return widget;
}

std::unique_ptr<CWnd> MakeDefaultObject(WindowKind kind) {
    switch (kind) {
    case WindowKind::Static:
        return std::make_unique<CStatic>();
    case WindowKind::Edit:
        return std::make_unique<CEdit>();
    case WindowKind::Button:
        return std::make_unique<CButton>();
    case WindowKind::ListView:
        return std::make_unique<CListCtrl>();
    case WindowKind::Custom:
    case WindowKind::Screen:
        return std::make_unique<CWnd>();
    }
    return std::make_unique<CWnd>();
}

bool ObjectFitsKind(const CWnd& wnd, WindowKind kind) {
    if (dynamic_cast<const CStatic*>(&wnd) != nullptr) {
        return kind == WindowKind::Static;
    }
    if (dynamic_cast<const CEdit*>(&wnd) != nullptr) {
        return kind == WindowKind::Edit;
    }
    if (dynamic_cast<const CButton*>(&wnd) != nullptr) {
        return kind == WindowKind::Button;
    }
    if (dynamic_cast<const CListCtrl*>(&wnd) != nullptr) {
        return kind == WindowKind::ListView;
    }
    return kind == WindowKind::Custom;
}

CFont& DialogFont() {
    static CFont font = [] {
        CFont f;
        f.CreateFont(kDialogFontCellHeight, FW_NORMAL, kDeviceFaceName);
        return f;
    }();
    return font;
}

CFont& FontOf(const CWnd& wnd) {
    CFont* own = wnd.GetFont();
    return own != nullptr && !own->IsNull() ? *own : DialogFont();
}

} // namespace platform

void RegisterWindowClass(const std::u16string& className) {
    platform::RegisteredClasses().insert(platform::Folded(className));
}

bool IsWindowClassKnown(const std::u16string& className) {
    return platform::KindOfClass(className).has_value();
}
