// CWnd: one window of the device screen (a screen, a control or a custom window) with the
// virtual message handlers, the command and notification table, timers and synchronous repaint.
//
// The window framework, by header: Wnd.h (windows), Dialog.h (screens from templates, their menu
// bar and caption OK button), DataExchange.h (binding controls and fields), Static.h, Edit.h,
// Button.h, ListCtrl.h and ImageList.h (the standard controls), Menu.h (menus and context menus),
// PropertySheet.h (sheets of pages), CommandBar.h, FileDialog.h (open, save, rename-and-move),
// MessageBox.h, WaitCursor.h, Gesture.h (tap-and-hold), InputPanel.h (the on-screen keyboard),
// Accelerators.h and KeyInjection.h (keys), WinApp.h (the application object), CommandMap.h and
// Notify.h (routing), testing/UiTest.h (driving it all from tests). None of them shows Qt; the
// files without a public header (WndWidget, DeviceWindow, CaptionBar, MenuBarWidget, PopupMenu,
// InputPanelWidget, ...) are its Qt side.
#pragma once

#include "platform/ui/CommandMap.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Icon.h"
#include "platform/ui/Notify.h"
#include "platform/ui/WinTypes.h"

#include <string>

class CDC;
class CFont;

namespace platform {
class WndWidget;
struct WndAccess;
} // namespace platform

/// A window. The C++ object and the on-screen window have separate lives: the object is created
/// first, then a window is created for it (`Create`) or an existing control of a dialog is bound to
/// it (`SubclassDlgItem`, used by the dialog data exchange); `DestroyWindow` or the end of the
/// owning dialog destroys the window, leaving the object without one.
///
/// Messages arrive as the virtual `On...` handlers below. A handler's base implementation is the
/// window's default handling: for the framework's controls it is the control's own behaviour, so
/// an override that wants it calls the base.
///
/// Coordinates: "client" coordinates are relative to the window's top-left corner; "screen"
/// coordinates are logical device-screen pixels (0..239, 0..319), whatever the display scale.
class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // --- creation and destruction ---

    /// Creates a child window of `parent` of the registered window class `className` (see
    /// RegisterWindowClass) or of a standard control class. False when the class is unknown or
    /// the parent has no window.
    bool Create(const std::u16string& className, const std::u16string& text, DWORD style, const CRect& rect,
                CWnd* parent, UINT id);
    /// Takes over the control `id` of `parent` (a dialog's control made from its template), so its
    /// messages reach this object. False when there is no such control or it is of another kind.
    bool SubclassDlgItem(UINT id, CWnd* parent);
    /// Destroys the window (and its children); OnDestroy runs first.
    void DestroyWindow();
    /// True while the object has a window.
    bool HasWindow() const { return m_widget != nullptr; }

    // --- identity and relations ---

    /// The control id given at creation (0 for screens).
    UINT GetDlgCtrlID() const;
    /// The window's style bits as created.
    DWORD GetStyle() const;
    /// The class name the window was created with ("EDIT", "MFCVisualTreeCtrl", ...).
    std::u16string GetClassName() const;
    /// The parent window's object, or null for a screen.
    CWnd* GetParent() const;
    /// The child control with id `id`, or null.
    CWnd* GetDlgItem(UINT id) const;

    // --- geometry ---

    /// The client area: (0, 0, width, height).
    void GetClientRect(CRect* rect) const;
    /// The window's rectangle in screen coordinates.
    void GetWindowRect(CRect* rect) const;
    void ClientToScreen(CPoint* point) const;
    void ScreenToClient(CPoint* point) const;
    /// Moves and sizes the window; `rect` is in the parent's client coordinates.
    void MoveWindow(const CRect& rect, bool repaint = true);
    void ShowWindow(int command);
    bool IsWindowVisible() const;
    bool IsWindowEnabled() const;

    // --- text and font ---

    void SetWindowText(const std::u16string& text);
    std::u16string GetWindowText() const;
    /// Gives the window a font (not owned: the caller keeps it alive while the window uses it);
    /// with `redraw` the window repaints at once.
    void SetFont(CFont* font, bool redraw = true);
    /// The font given with SetFont, or null for the dialog font.
    CFont* GetFont() const { return m_font; }

    // --- icons ---

    /// Gives the window its big or small icon (null for none) and answers the one it had. While a
    /// screen is the top one, the device window shows the screen's icons.
    HICON SetIcon(HICON icon, bool big);
    /// The big or small icon given with SetIcon, or null.
    HICON GetIcon(bool big) const { return big ? m_bigIcon : m_smallIcon; }

    // --- focus ---

    /// Gives this window the input focus; answers the window that had it (or null).
    CWnd* SetFocus();
    /// The window that has the input focus, or null.
    static CWnd* GetFocus();

    // --- painting ---

    /// Marks the whole client area for repaint; `erase` asks for OnEraseBkgnd first.
    void Invalidate(bool erase = true);
    /// Marks `rect` (client coordinates; null = all) for repaint.
    void InvalidateRect(const CRect* rect, bool erase = true);
    /// Paints what is marked at once, before returning.
    void UpdateWindow();
    /// Marks everything and paints it at once (with erase).
    void RedrawWindow();

    // --- timers ---

    /// Starts (or restarts) the repeating timer `id` with a period of `elapseMs` milliseconds;
    /// each tick calls OnTimer(id). Answers `id`, or 0 when the window has none.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs);
    /// Stops timer `id`; false when it was not running.
    bool KillTimer(UINT_PTR id);
    /// True while timer `id` runs.
    bool IsTimerRunning(UINT_PTR id) const;

    // --- commands and notifications ---

    /// This window's handler table.
    CommandMap& GetCommandMap() { return m_commandMap; }
    const CommandMap& GetCommandMap() const { return m_commandMap; }
    /// Sends command `id` to this window: OnCommand runs before this returns.
    bool SendCommand(UINT id);
    /// Sends the header (filled in with this window and its id, and `code`) to the parent's
    /// OnNotify and answers the result the parent set (0 when it has no handler).
    LRESULT NotifyParent(UINT code);
    /// Sends a ready-made notification record to the parent; the record starts with its header.
    LRESULT SendNotifyToParent(NMHDR& hdr);
    /// Sends a ready-made notification record to `parent`, this window's parent looked up once by the
    /// caller: a control that sends one notification per row of a long list finds its parent once.
    /// Nothing is sent when `parent` is null.
    LRESULT SendNotifyTo(CWnd* parent, NMHDR& hdr);
    /// Whether command `id` shows enabled: asks this window's table, then its parents'.
    bool IsCommandEnabled(UINT id) const;

    /// This window's keyboard pre-translation, run before the message is dispatched (after the
    /// application's own hook): answer true to consume it. The base consumes nothing; a screen's
    /// base handles its dialog keys (Escape cancels).
    virtual bool PreTranslateMessage(MSG& msg);

protected:
    // --- message handlers (base = default handling) ---

    /// Paints the window; `dc` draws on the window, clipped to what is being repainted.
    virtual void OnPaint(CDC& dc);
    /// Erases the background before painting; answer true when erased. The base fills with the
    /// window's background colour.
    virtual bool OnEraseBkgnd(CDC& dc);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    /// The second pen down of a quick double tap at about the same point. The base treats it as
    /// any pen down, so windows that do not tell double taps apart lose no taps.
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    /// A desktop mouse wheel turned over the window (the device has none): `delta` is in eighths of
    /// a degree, positive away from the user, WHEEL_DELTA per notch. Answer true when handled;
    /// otherwise the parent window gets it. The base handles nothing.
    virtual bool OnMouseWheel(UINT flags, int delta, CPoint point);
    /// A key press for the focused window, after the application's pre-translation; answer true
    /// when handled.
    virtual bool OnKeyDown(UINT virtualKey);
    virtual void OnTimer(UINT_PTR id);
    /// The window is about to be destroyed; its children still exist.
    virtual void OnDestroy();
    virtual void OnSetFocus(CWnd* oldWnd);
    virtual void OnKillFocus(CWnd* newWnd);
    /// A notification from a child; the base looks it up in the table. Answer true when handled.
    virtual bool OnNotify(const NMHDR& hdr, LRESULT* result);
    /// A command; the base runs the table's handler or, failing that, passes it to the parent.
    virtual bool OnCommand(UINT id);

private:
    friend class platform::WndWidget;
    friend struct platform::WndAccess;

    platform::WndWidget* m_widget = nullptr; ///< the on-screen window, owned by Qt's widget tree
    CFont* m_font = nullptr;                 ///< font given with SetFont; not owned
    HICON m_bigIcon = nullptr;               ///< shared; never freed
    HICON m_smallIcon = nullptr;             ///< shared; never freed
    CommandMap m_commandMap;                 ///< command, enabling and notification handlers
};

/// Registers a window class name so dialog templates and Create can name it. A window of a
/// registered class starts with no behaviour of its own: the object bound to it supplies it.
void RegisterWindowClass(const std::u16string& className);
/// True when `className` is a registered class or a standard control class (case-insensitive).
bool IsWindowClassKnown(const std::u16string& className);
