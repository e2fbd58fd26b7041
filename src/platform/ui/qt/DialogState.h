// The framework's state of one screen while it runs: its template, the objects of its unbound
// controls, the modal loop, its caption OK button and menu bar. Platform-internal.
#pragma once

#include "platform/ui/qt/MenuBarModel.h"
#include "platform/ui/qt/WndWidget.h"

#include <memory>
#include <vector>

class QEventLoop;
struct DialogTemplate;

namespace platform {

/// The widget of a screen: its text is the caption shown in the caption bar.
class ScreenWidget : public WndWidget {
public:
    explicit ScreenWidget(QWidget* parent) : WndWidget(WindowKind::Screen, parent) {}
    void SetText(const std::u16string& text) override;
};

struct DialogState {
    const DialogTemplate* dialogTemplate = nullptr;    ///< what the screen is built from
    std::vector<std::unique_ptr<CWnd>> controlObjects; ///< objects of controls nobody bound
    QEventLoop* loop = nullptr;                        ///< the running modal loop, or null
    bool ended = false;                                ///< EndDialog was called
    int result = IDCANCEL;                             ///< the value given to EndDialog (IDCANCEL until then)
    bool captionOk = true;                             ///< the caption bar shows OK for it
    MenuBarModel menuBar;                              ///< its menu bar
};

} // namespace platform
