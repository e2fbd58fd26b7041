// The menu bar at the bottom of the device: the top screen's drop-down and tool buttons, and the
// input panel's keyboard button at the right end. Platform-internal.
#pragma once

#include <QRect>
#include <QWidget>

#include <vector>

class CDialog;

namespace platform {

class MenuBarWidget : public QWidget {
public:
    explicit MenuBarWidget(QWidget* parent);
    void ShowScreen(CDialog* screen);
    /// Each button's rectangle, in the order of the screen's bar model.
    std::vector<QRect> ButtonRects() const;
    /// The input panel button at the right end.
    QRect KeyboardButtonRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OpenDropDown(int index);

    CDialog* m_screen = nullptr; ///< whose buttons show
    int m_pressed = -1;          ///< the button the pen is down on (or whose popup is open)
};

} // namespace platform
