// The tab strip along the bottom of a property sheet: one tab per page, the front page's tab joined
// to the page. Platform-internal.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

namespace platform {

class PropertySheetTabs : public QWidget {
public:
    /// Tabs with these labels; a tap on tab i calls `chosen(i)`.
    PropertySheetTabs(std::vector<QString> labels, std::function<void(int)> chosen, QWidget* parent);
    void SetActive(int index);
    /// Tab `index`'s rectangle in the strip.
    QRect TabRect(int index) const;
    /// The strip's height.
    static int StripHeight();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::vector<QString> m_labels;     ///< one per page
    std::function<void(int)> m_chosen; ///< told of a tapped tab
    int m_active = -1;                 ///< the tab in front
};

} // namespace platform
