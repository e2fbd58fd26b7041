// The on-screen keyboard: five rows of keys that type into the focused field as a keyboard would.
// Platform-internal.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

namespace platform {

class InputPanelWidget : public QWidget {
public:
    /// One key: what it types (or does) and where it is.
    struct Key {
        QString label; ///< shown on the key
        QString text;  ///< typed (lower case; Shift gives upper case); empty for special keys
        int qtKey = 0; ///< the key code sent
        QRect rect;    ///< in the panel
    };

    explicit InputPanelWidget(QWidget* parent);
    const std::vector<Key>& Keys() const { return m_keys; }
    /// Types key `index` into the focused field.
    void PressKey(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void BuildKeys();

    std::vector<Key> m_keys; ///< every key, row by row
    int m_pressed = -1;      ///< the key under the pen
    bool m_shift = false;    ///< the next letter is upper case
};

} // namespace platform
