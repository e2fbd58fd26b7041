// What every UI test uses to act as a user: pen taps, holds and drags, key presses, timer ticks,
// answers for message boxes and context menus, and grabbing a window to read its pixels.
#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/WinTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CWnd;
class CDialog;

namespace uitest {

/// Taps (pen down, pen up) at `point` in `wnd`'s client coordinates.
void Tap(CWnd& wnd, CPoint point);
/// Two quick taps at `point`, the second reported by the window system as a double tap.
void DoubleTap(CWnd& wnd, CPoint point);
/// Pen down only / pen up only / pen move, at a client point of `wnd`.
void PenDown(CWnd& wnd, CPoint point);
void PenUp(CWnd& wnd, CPoint point);
void PenMove(CWnd& wnd, CPoint point);
/// Pen down at `from`, moved in steps to `to`, lifted there.
void Drag(CWnd& wnd, CPoint from, CPoint to);
/// Taps at a screen point of the device window (caption bar, menu bar, input panel, a menu).
void TapScreen(CPoint screenPoint);
/// Turns the mouse wheel over `point` of `wnd` by `notches` (positive: away from the user).
void TurnWheel(CWnd& wnd, CPoint point, int notches);
/// Tap-and-hold at `point`: the recogniser answers "held" at once, then the pen is lifted.
void Hold(CWnd& wnd, CPoint point);
/// A right click at `point` (counts as a hold).
void RightClick(CWnd& wnd, CPoint point);

/// Presses and releases a virtual key (with MK_SHIFT / MK_CONTROL / kAltDown modifiers) as a
/// keyboard would: into the focused window, through the application's pre-translation.
void PressKey(UINT virtualKey, UINT modifiers = 0);
/// Types text into the focused window, one character at a time.
void TypeText(const std::u16string& text);

/// Runs `action` as soon as the event loop runs again: the way to act inside something that blocks
/// in a loop of its own (a real popup menu or message box, a screen's modal loop).
void Soon(std::function<void()> action);

/// Runs `action` once a popup menu or message box is showing, looking again on each turn of the event
/// loop for a few turns: the way to act on what a tap opens while it is open (a tap delivers events
/// of its own before the popup comes up). Nothing happens when none comes up.
void WhenPopupShown(std::function<void()> action);

/// One tick of timer `id` of `wnd`, as if its period had passed. False when it is not running.
bool FireTimer(CWnd& wnd, UINT_PTR id);
/// Delivers the events Qt has queued (posted repaints, deferred deletes), without waiting.
void ProcessEvents();
/// The desktop session's end as the session manager delivers it: a quit request to the application.
void EndSession();

/// How the tap-and-hold recogniser answers while a GestureOverride lives.
enum class GestureAnswer {
    Hold,   ///< every pen down is a hold
    NoHold, ///< no pen down is a hold
};
/// Makes the recogniser answer at once, without waiting for the pen, while it lives.
class GestureOverride {
public:
    explicit GestureOverride(GestureAnswer answer);
    ~GestureOverride();
    GestureOverride(const GestureOverride&) = delete;
    GestureOverride& operator=(const GestureOverride&) = delete;
};

/// A message box as it was shown.
struct ShownMessageBox {
    std::u16string title;
    std::u16string text;
    UINT type = 0; ///< the MB_... button set and icon
};
/// While it lives, message boxes are not shown: each is recorded and answered by `answer`
/// (IDOK when no function is given).
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(std::function<int(const ShownMessageBox&)> answer = {});
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;
    const std::vector<ShownMessageBox>& Shown() const { return m_shown; }

private:
    std::vector<ShownMessageBox> m_shown;
    std::function<int(const ShownMessageBox&)> m_answer;
};

/// A context or drop-down menu as it was about to open.
struct ShownMenu {
    struct Entry {
        std::u16string text; ///< label without ampersands
        UINT commandId = 0;
        bool separator = false;
        bool enabled = false; ///< after the owner's enabling rules
    };
    std::vector<Entry> entries;
    CPoint screenPoint; ///< where its top-left corner was asked to be
};
/// While it lives, popup menus are not shown: each is recorded and answered by `choose` (the command
/// to pick, 0 for none; none picked when no function is given). A disabled command is never picked.
class MenuRecorder {
public:
    explicit MenuRecorder(std::function<UINT(const ShownMenu&)> choose = {});
    ~MenuRecorder();
    MenuRecorder(const MenuRecorder&) = delete;
    MenuRecorder& operator=(const MenuRecorder&) = delete;
    const std::vector<ShownMenu>& Shown() const { return m_shown; }

private:
    std::vector<ShownMenu> m_shown;
    std::function<UINT(const ShownMenu&)> m_choose;
};

/// Runs `dialog` modally and calls `whileRunning` once it is initialised and shown; `whileRunning`
/// acts on the running screen and should end it (EndDialog, a tap on its OK, a key). When it does
/// not, the dialog is ended with IDCANCEL after it returns. Answers DoModal's result.
int RunModal(CDialog& dialog, const std::function<void()>& whileRunning);

/// The screen on top of the device (the one taking input), or null.
CDialog* TopScreen();
/// Runs `action` on the top screen as soon as the event loop runs again: the way to act on a screen
/// that a command opens modally (a file dialog, the list editor) before that command returns.
void WhenScreenRuns(std::function<void(CDialog& screen)> action);

/// A window's pixels, grabbed at logical size.
class GrabbedImage {
public:
    GrabbedImage();
    ~GrabbedImage();
    GrabbedImage(GrabbedImage&&) noexcept;
    GrabbedImage& operator=(GrabbedImage&&) noexcept;
    int Width() const;
    int Height() const;
    /// The colour at (x, y); 0xFFFFFFFF outside the image.
    COLORREF Pixel(int x, int y) const;
    /// Writes a PNG; false when it cannot be written.
    bool SavePng(const std::string& path) const;

    struct Data;
    std::unique_ptr<Data> data;
};
/// Asks the device window to close, as the window manager's close button (or Alt+F4) does. Answers
/// whether the window agreed to close at once (it does only when no screen is running).
bool CloseDeviceWindow();

/// Paints `wnd` now and grabs its client area.
GrabbedImage Grab(CWnd& wnd);
/// Paints the whole device window (caption bar, screen, input panel, menu bar) and grabs it, enlarged
/// `scale` times as the program's --scale shows it.
GrabbedImage GrabDevice(int scale = 1);

} // namespace uitest
