// CDialog: a modal full-screen screen built from a dialog template, with its caption, caption OK
// button, menu bar and tool buttons, data exchange, and the nested message loop that runs it.
#pragma once

#include "platform/ui/Wnd.h"

#include <memory>
#include <span>
#include <string>

class CDataExchange;

namespace platform {
struct DialogState;
class WndWidget;
} // namespace platform

/// One tool button of a menu bar: a command shown with one image of the bitmap strip, or a gap.
struct ToolButton {
    UINT commandId = 0;     ///< the command the button sends to the screen (unused for a gap)
    int imageIndex = -1;    ///< the strip image to show (unused for a gap)
    bool separator = false; ///< a gap between button groups
};

/// A modal full-screen dialog. DoModal builds the window and its controls from the template (sizes in
/// dialog units), binds the controls (DoDataExchange), calls OnInitDialog and runs a nested message
/// loop until EndDialog. Only the topmost screen is visible and takes input; the device's caption
/// bar shows its caption (the template's, or SetWindowText's) and its OK button, the menu bar its
/// drop-down and tool buttons.
///
/// Commands: IDOK (the caption OK) runs OnOK, IDCANCEL (Escape) OnCancel; menu and tool commands
/// go to the command table. When a screen above this one closes, or a message box shown over it
/// closes, this screen gets OnSetFocus.
class CDialog : public CWnd {
public:
    /// A dialog made from template `templateId`; `parent` is accepted for the framework's shape and
    /// may be null (every screen is shown on the device window).
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    /// Runs the screen modally. Answers the value given to EndDialog (IDOK, IDCANCEL), or -1 when
    /// the template does not exist or names an unknown control class.
    virtual int DoModal();
    /// Ends the modal loop with `result` after the current handler returns.
    void EndDialog(int result);
    /// Exchanges data between fields and controls: `saveAndValidate` reads the controls into the
    /// fields, otherwise fills the controls. False when a field failed validation (its message
    /// was shown and the focus put on its control).
    bool UpdateData(bool saveAndValidate = true);
    UINT GetTemplateId() const { return m_templateId; }
    /// True while the modal loop runs.
    bool IsModalRunning() const;

    // --- device screen services for this screen ---

    /// Shows or removes the OK button in the caption bar while this screen is on top.
    void ShowCaptionOkButton(bool shown);
    bool HasCaptionOkButton() const;
    /// Fills the menu bar with one drop-down button per popup of menu `menuId`, labelled with the
    /// popup's title without ampersands. False when the menu does not exist.
    bool CreateMenuBar(UINT menuId);
    /// Appends tool buttons after the drop-down buttons; the images are the square cells of
    /// bitmap strip `bitmapId` (cell width = strip height). False when the bitmap does not exist.
    bool AddToolButtons(UINT bitmapId, std::span<const ToolButton> buttons);

    /// The dialog-unit rectangle of a template converted to pixels with the dialog font's units.
    static CRect MapDialogRect(const CRect& dialogUnits);

protected:
    /// A screen without a template: empty, with this caption (a property sheet fills it itself).
    CDialog(std::u16string caption, CWnd* parent);

    /// The framework's initialisation: the screen fills the space between caption and menu bar,
    /// the input panel is lowered, the caption OK button is shown; then the controls are filled
    /// (UpdateData(false)). Answer true to let the framework put the focus on the first control.
    virtual bool OnInitDialog();
    /// Binds controls (DDX_Control) and exchanges field values (DDX_Text, DDX_Radio).
    virtual void DoDataExchange(CDataExchange* pDX);
    /// The OK command: UpdateData(true), then EndDialog(IDOK) when it succeeded.
    virtual void OnOK();
    /// The cancel command: EndDialog(IDCANCEL).
    virtual void OnCancel();
    bool OnCommand(UINT id) override;

public:
    /// The dialog's own keys: Escape cancels; Enter is the OK button unless the focused field is a
    /// multi-line field that accepts Enter.
    bool PreTranslateMessage(MSG& msg) override;

private:
    friend struct platform::WndAccess;
    friend class CPropertySheet;

    /// Builds the window and its controls from the template (or empty without one) under `parent`,
    /// or in the device's screen area when it is null. False when a control's class is unknown or
    /// the template does not exist.
    bool BuildWindow(platform::WndWidget* parent);
    /// Initialises the built screen and runs its loop until EndDialog.
    void RunModalLoop(platform::WndWidget* screen);
    /// Destroys the screen's windows (OnDestroy first) and takes it off the device.
    void TearDownScreen();

    UINT m_templateId;                              ///< the dialog template it is built from (0: none)
    std::u16string m_caption;                       ///< the caption of a screen without a template
    std::unique_ptr<platform::DialogState> m_state; ///< modal loop, bar contents, controls
};
