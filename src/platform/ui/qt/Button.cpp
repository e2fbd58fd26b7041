// CButton: the checked state, and the radio group a button belongs to.
#include "platform/ui/Button.h"

#include "platform/ui/qt/ButtonKinds.h"

#include <algorithm>

namespace platform {

std::vector<ButtonWidget*> RadioGroupOf(ButtonWidget* button) {
    std::vector<ButtonWidget*> group;
    QWidget* parent = button->parentWidget();
    if (parent == nullptr) {
        return {button};
    }
    for (QObject* child : parent->children()) {
        auto* window = dynamic_cast<WndWidget*>(child);
        if (window == nullptr) {
            continue;
        }
        const bool startsGroup = (window->style & WS_GROUP) != 0;
        if (startsGroup && window != button && std::find(group.begin(), group.end(), button) != group.end()) {
            break;
        }
        if (startsGroup) {
            group.clear();
        }
        auto* other = dynamic_cast<ButtonWidget*>(window);
        if (other != nullptr && IsRadioButton(other->style)) {
            group.push_back(other);
        }
    }
    return group;
}

} // namespace platform

using platform::ButtonOf;

int CButton::GetCheck() const {
    platform::ButtonWidget* button = ButtonOf(*this);
    return button != nullptr && button->checked ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int state) {
    platform::ButtonWidget* button = ButtonOf(*this);
    if (button == nullptr) {
        return;
    }
    button->checked = state == BST_CHECKED;
    RedrawWindow();
}
