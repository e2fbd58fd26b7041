// The Qt widget behind every CWnd: turns Qt's paint, pen, key, focus and timer events into the
// owner's message handlers, and keeps the invalid region for synchronous repaint. Platform-internal.
#pragma once

#include "platform/ui/Wnd.h"

#include <QRegion>
#include <QWidget>

#include <map>
#include <memory>
#include <string>

class QTimer;

class CDialog;

namespace platform {

struct DialogState;

/// What kind of window a widget is; decides its default handling.
enum class WindowKind { Custom, Screen, Static, Edit, Button, ListView };

/// Calls CWnd's protected handlers for the framework's own code.
struct WndAccess {
    static void Paint(CWnd& w, CDC& dc) { w.OnPaint(dc); }
    static bool EraseBackground(CWnd& w, CDC& dc) { return w.OnEraseBkgnd(dc); }
    static void PenDown(CWnd& w, UINT flags, CPoint p) { w.OnLButtonDown(flags, p); }
    static void PenDoubleDown(CWnd& w, UINT flags, CPoint p) { w.OnLButtonDblClk(flags, p); }
    static void PenUp(CWnd& w, UINT flags, CPoint p) { w.OnLButtonUp(flags, p); }
    static void PenMove(CWnd& w, UINT flags, CPoint p) { w.OnMouseMove(flags, p); }
    static bool MouseWheel(CWnd& w, UINT flags, int delta, CPoint p) {
        return w.OnMouseWheel(flags, delta, p);
    }
    static bool KeyDown(CWnd& w, UINT vk) { return w.OnKeyDown(vk); }
    static void Timer(CWnd& w, UINT_PTR id) { w.OnTimer(id); }
    static void Destroy(CWnd& w) { w.OnDestroy(); }
    static void SetFocus(CWnd& w, CWnd* old) { w.OnSetFocus(old); }
    static void KillFocus(CWnd& w, CWnd* next) { w.OnKillFocus(next); }
    static bool Command(CWnd& w, UINT id) { return w.OnCommand(id); }
    static bool Notify(CWnd& w, const NMHDR& hdr, LRESULT* result) { return w.OnNotify(hdr, result); }
    static WndWidget* Widget(const CWnd& w) { return w.m_widget; }
    static void SetWidget(CWnd& w, WndWidget* widget) { w.m_widget = widget; }
    /// The modal and bar state of a screen.
    static DialogState& StateOf(CDialog& dialog);
    static void EndScreen(CDialog& dialog, int result);
};

/// The widget of one window. Qt owns it through the widget tree; the owner CWnd points at it while
/// both live, and whichever goes first unhooks the other.
class WndWidget : public QWidget {
public:
    WndWidget(WindowKind kind, QWidget* parent);
    ~WndWidget() override;

    WindowKind Kind() const { return m_kind; }
    /// The object whose handlers run; null when none is bound.
    CWnd* Owner() const { return m_owner; }
    /// Binds `owner` (unbinding the previous one).
    void SetOwner(CWnd* owner);

    UINT controlId = 0;       ///< the id in its dialog
    DWORD style = 0;          ///< style bits as created
    std::u16string className; ///< the class it was created as

    /// The window text; controls that show it override these.
    virtual void SetText(const std::u16string& text);
    virtual std::u16string Text() const { return m_text; }
    /// The owner's font changed (null: back to the dialog font); controls with Qt parts apply it.
    virtual void FontChanged() {}

    /// Adds `rect` (all when null) to the invalid region; `erase` asks for the erase handler.
    void MarkInvalid(const QRect* rect, bool erase);
    /// Paints the invalid region now.
    void PaintInvalidNow();

    void StartTimer(UINT_PTR id, UINT periodMs);
    bool StopTimer(UINT_PTR id);
    bool HasTimer(UINT_PTR id) const;
    /// Runs one tick of a running timer; false when it is not running.
    bool FireTimer(UINT_PTR id);

    /// Calls OnDestroy on this window's owner and then on its children's, deepest last.
    void NotifyDestroyTree();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    /// Hands a pen down to the owner: as a double tap's second down when `secondOfDouble`.
    void DeliverPenDown(QMouseEvent* event, bool secondOfDouble);
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    WindowKind m_kind;        ///< decides the default handling
    CWnd* m_owner = nullptr;  ///< whose handlers run
    std::u16string m_text;    ///< the window text (when the kind does not keep its own)
    QRegion m_invalid;        ///< marked for repaint, not yet painted
    bool m_eraseNext = true;  ///< the next paint erases first (a first paint always does)
    bool m_inPenDown = false; ///< the owner's pen-down handler is running
    std::map<UINT_PTR, std::unique_ptr<QTimer>> m_timers; ///< running timers by id
};

/// The object of the window that holds `widget` (itself or its nearest WndWidget ancestor), or null.
CWnd* OwnerOf(QWidget* widget);
/// The widget of a window; null when it has none.
inline WndWidget* WidgetOf(const CWnd& wnd) {
    return WndAccess::Widget(wnd);
}
/// The pen flags of a Qt mouse event.
UINT PenFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
/// Virtual key of a Qt key (0 when it has none).
UINT VirtualKeyOf(int qtKey);
/// Qt key of a virtual key (0 when it has none).
int QtKeyOf(UINT virtualKey);
/// The Qt modifiers of a modifier word (MK_SHIFT, MK_CONTROL and kAltDown).
Qt::KeyboardModifiers QtModifiersOf(UINT modifiers);

} // namespace platform
