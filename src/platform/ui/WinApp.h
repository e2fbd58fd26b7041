// CWinApp: the application object: command-line options, the device window, the keyboard
// pre-translation hook and the program's start-up.
#pragma once

#include "platform/ui/WinTypes.h"

#include <string>

/// The largest whole enlargement of the device window.
inline constexpr int kLargestScale = 4;

/// What the command line asked of the window system.
struct AppOptions {
    int scale = 0; ///< integer display enlargement, 1 to kLargestScale; 0 = chosen from the display
};

/// The application. Exactly one exists while the program runs. Run creates the window system and the
/// device window, then calls InitInstance, which runs the program's screens; when it returns the
/// program ends.
///
/// Every key message passes PreTranslateMessage before any window sees it (also in programs and
/// tests that never call Run: the hook is in place once the device window exists).
class CWinApp {
public:
    explicit CWinApp(std::u16string appName);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    /// Runs the program with `options`: sets up the window system (argv holds its own options only)
    /// and the device window, then calls InitInstance. Answers the process exit code: 1, with a
    /// one-line message, when there is no display to show the device on.
    int Run(int argc, char** argv, const AppOptions& options = {});

    /// The program's start-up. Answer false to end the program when it returns.
    virtual bool InitInstance();
    /// The keyboard pre-translation hook: answer true when the message was consumed. The base runs
    /// the windows' own pre-translation (CWnd::PreTranslateMessage of the focused window, then of
    /// each parent up to its screen) and answers whether one consumed it.
    virtual bool PreTranslateMessage(MSG& msg);

    /// The program's name, used as the title of message boxes.
    const std::u16string& GetAppName() const { return m_appName; }
    const AppOptions& Options() const { return m_options; }

    /// The screen that is the program's main window while it runs (not owned).
    CWnd* m_pMainWnd = nullptr;

    /// True when the window system has somewhere to show windows: an X or Wayland display, or a
    /// platform named in QT_QPA_PLATFORM (offscreen for pictures and tests).
    static bool HasDisplay();

private:
    std::u16string m_appName; ///< the program's name
    AppOptions m_options;     ///< what the command line asked of the window system
};

/// The application object, or null before it exists.
CWinApp* AfxGetApp();
