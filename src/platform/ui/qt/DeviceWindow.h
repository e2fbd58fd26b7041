// The device window: one top-level window of 240 x 320 logical pixels holding, top to bottom, the
// caption bar, the active screen, the input panel when raised, and the menu bar. Screens stack;
// only the top one is shown. Platform-internal.
#pragma once

#include "platform/ui/qt/MenuBarModel.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class CDialog;

namespace platform {

class CaptionBar;
class MenuBarWidget;
class InputPanelWidget;
class WndWidget;

class DeviceWindow : public QWidget {
public:
    DeviceWindow();
    ~DeviceWindow() override;

    /// The widget screens are placed in.
    QWidget* ScreenArea() const { return m_screenArea; }

    /// Puts `screen` (with its widget) on top of the stack and shows it.
    void PushScreen(CDialog& screen, WndWidget* widget);
    /// Takes `screen` off the stack; the one below (if any) is shown again.
    void RemoveScreen(const CDialog& screen);
    /// The top screen, or null.
    CDialog* TopScreen() const;
    /// Every screen, bottom first.
    std::vector<CDialog*> Screens() const;

    /// Shows the top screen's caption, icons and menu bar (after its caption, OK button, icons or bar
    /// changed). A screen without icons leaves the window the application's own.
    void RefreshBars();

    void SetInputPanelRaised(bool raised);
    bool IsInputPanelRaised() const { return m_panelRaised; }
    InputPanelWidget* InputPanel() const { return m_panel; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void LayoutParts();
    void ShowIcons(const CDialog* screen);

    struct Entry {
        CDialog* screen;
        WndWidget* widget;
        QPointer<QWidget> focusBefore; ///< what had the focus when a screen covered this one
    };
    CaptionBar* m_caption;      ///< top bar: caption and OK button
    QWidget* m_screenArea;      ///< holds the screens' widgets
    InputPanelWidget* m_panel;  ///< on-screen keyboard
    MenuBarWidget* m_menuBar;   ///< bottom bar
    std::vector<Entry> m_stack; ///< screens, bottom first
    bool m_panelRaised = false; ///< the keyboard shows
};

/// The device window, made and shown on first use.
DeviceWindow& Device();

} // namespace platform
