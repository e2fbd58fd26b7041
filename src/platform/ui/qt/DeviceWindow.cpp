// The device window: layout of bars, screen area and input panel, and the stack of screens.
#include "platform/ui/qt/DeviceWindow.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"
#include "platform/ui/HostWindow.h"
#include "platform/ui/InputPanel.h"
#include "platform/ui/KeyHook.h"
#include "platform/ui/qt/CaptionBar.h"
#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/DeviceScreen.h"
#include "platform/ui/qt/InputPanelWidget.h"
#include "platform/ui/qt/MenuBarWidget.h"
#include "platform/ui/qt/ModalOverlay.h"
#include "platform/ui/qt/WndWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>

#include <algorithm>

namespace platform {
namespace {
std::unique_ptr<DeviceWindow>& DeviceSlot() {
    static std::unique_ptr<DeviceWindow> device;
    return device;
}

/// Widgets must go before the application object does.
void DestroyDevice() {
    DeviceSlot().reset();
}
} // namespace

DeviceWindow::DeviceWindow()
    : m_caption(new CaptionBar(this)), m_screenArea(new QWidget(this)), m_panel(new InputPanelWidget(this)),
      m_menuBar(new MenuBarWidget(this)) {
    setWindowTitle(QString::fromUtf16(kHostWindowTitle));
    setFixedSize(look::kScreenWidth, look::kScreenHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, look::kPaper);
    setPalette(palette);
    m_panel->hide();
    LayoutParts();
}

DeviceWindow::~DeviceWindow() = default;

void DeviceWindow::LayoutParts() {
    using namespace look;
    m_caption->setGeometry(0, 0, kScreenWidth, kCaptionBarHeight);
    const int panelHeight = m_panelRaised ? kInputPanelHeight : 0;
    const int areaHeight = kScreenAreaHeight - panelHeight;
    m_screenArea->setGeometry(0, kCaptionBarHeight, kScreenWidth, areaHeight);
    m_panel->setGeometry(0, kCaptionBarHeight + areaHeight, kScreenWidth, kInputPanelHeight);
    m_panel->setVisible(m_panelRaised);
    m_menuBar->setGeometry(0, kScreenHeight - kMenuBarHeight, kScreenWidth, kMenuBarHeight);
    for (const Entry& entry : m_stack) {
        entry.widget->setGeometry(0, 0, kScreenWidth, areaHeight);
    }
}

void DeviceWindow::PushScreen(CDialog& screen, WndWidget* widget) {
    if (!m_stack.empty()) {
        m_stack.back().focusBefore = QApplication::focusWidget();
        m_stack.back().widget->hide();
    }
    m_stack.push_back({&screen, widget, {}});
    widget->setParent(m_screenArea);
    widget->setGeometry(0, 0, m_screenArea->width(), m_screenArea->height());
    widget->show();
    widget->raise();
    RefreshBars();
}

void DeviceWindow::RemoveScreen(const CDialog& screen) {
    auto it =
        std::find_if(m_stack.begin(), m_stack.end(), [&](const Entry& e) { return e.screen == &screen; });
    if (it == m_stack.end()) {
        return;
    }
    const bool wasTop = it + 1 == m_stack.end();
    m_stack.erase(it);
    if (wasTop && !m_stack.empty()) {
        Entry& top = m_stack.back();
        top.widget->show();
        QWidget* focus = top.focusBefore ? top.focusBefore.data() : top.widget;
        focus->setFocus(Qt::OtherFocusReason);
    }
    RefreshBars();
}

CDialog* DeviceWindow::TopScreen() const {
    return m_stack.empty() ? nullptr : m_stack.back().screen;
}

std::vector<CDialog*> DeviceWindow::Screens() const {
    std::vector<CDialog*> screens;
    for (const Entry& e : m_stack) {
        screens.push_back(e.screen);
    }
    return screens;
}

void DeviceWindow::RefreshBars() {
    CDialog* top = TopScreen();
    m_caption->ShowScreen(top);
    m_menuBar->ShowScreen(top);
    ShowIcons(top);
}

void DeviceWindow::ShowIcons(const CDialog* screen) {
    QIcon icon;
    if (screen != nullptr) {
        for (const bool big : {true, false}) {
            if (const HICON shown = screen->GetIcon(big)) {
                icon.addPixmap(QPixmap::fromImage(shown->image));
            }
        }
    }
    setWindowIcon(icon);
}

void DeviceWindow::SetInputPanelRaised(bool raised) {
    if (m_panelRaised == raised) {
        return;
    }
    m_panelRaised = raised;
    LayoutParts();
    m_menuBar->update();
}

void DeviceWindow::closeEvent(QCloseEvent* event) {
    // Closing the window is a cancel request to every screen, topmost first, as the device's shell
    // sends one: a screen may ask its own question first (an editor with unsaved changes), and a
    // screen that stays open keeps the program, and the screens below it, running.
    const std::vector<CDialog*> screens = Screens();
    if (screens.empty()) {
        event->accept();
        return;
    }
    event->ignore();
    // An open question is answered first: asking the screen under it would ask it again, and end
    // that screen while the first answer is still to come.
    if (ModalOverlay::AnyRunning(*this)) {
        return;
    }
    for (auto it = screens.rbegin(); it != screens.rend(); ++it) {
        (*it)->SendCommand(IDCANCEL);
        if ((*it)->IsModalRunning()) {
            return;
        }
    }
}

DeviceWindow& Device() {
    auto& device = DeviceSlot();
    if (!device) {
        RegisterDeviceFonts();
        InstallKeyHook();
        device = std::make_unique<DeviceWindow>();
        qAddPostRoutine(DestroyDevice);
        device->show();
        // The offscreen platform has no stacking order to change (and says so).
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
            device->raise();
        }
        device->activateWindow();
        // Focus and keys need the window active now, not when the window system gets round to
        // it (the first screen sets its focus before the loop runs).
        QApplication::setActiveWindow(device.get());
    }
    return *device;
}

QWidget* DeviceRoot() {
    return &Device();
}
QWidget* ScreenArea() {
    return Device().ScreenArea();
}
bool DeviceExists() {
    return DeviceSlot() != nullptr;
}

} // namespace platform

void RaiseInputPanel() {
    platform::Device().SetInputPanelRaised(true);
}
void LowerInputPanel() {
    platform::Device().SetInputPanelRaised(false);
}
bool IsInputPanelRaised() {
    return platform::DeviceExists() && platform::Device().IsInputPanelRaised();
}

void SetHostWindowTitle(const std::u16string& title) {
    // A screen that ends after the program took its device down has no window to title.
    if (platform::DeviceExists()) {
        platform::Device().setWindowTitle(QString::fromStdU16String(title));
    }
}

std::u16string GetHostWindowTitle() {
    return platform::DeviceExists() ? platform::Device().windowTitle().toStdU16String()
                                    : std::u16string(kHostWindowTitle);
}
