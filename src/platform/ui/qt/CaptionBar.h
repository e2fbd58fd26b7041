// The caption bar: the top screen's caption in bold and, when it has one, its OK button on the
// right. Platform-internal.
#pragma once

#include <QWidget>

class CDialog;

namespace platform {

class CaptionBar : public QWidget {
public:
    explicit CaptionBar(QWidget* parent);
    /// Shows `screen`'s caption and OK button (nothing for null).
    void ShowScreen(CDialog* screen);
    /// The OK button's rectangle in the bar, empty when it is not shown.
    QRect OkButtonRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CDialog* m_screen = nullptr; ///< whose caption shows
    bool m_okPressed = false;    ///< the pen is down on OK
};

} // namespace platform
