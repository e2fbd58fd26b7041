// CCorvinaApp: the program's start-up: the shortcut table, the Lists folder and the document list
// screen run as the one main window.
#pragma once

#include "platform/ui/Accelerators.h"
#include "platform/ui/WinApp.h"

#include <string>

/// The application object. Its start-up runs the whole program: the document list screen runs
/// modally, and when it closes the program ends.
class CCorvinaApp : public CWinApp {
public:
    CCorvinaApp();
    ~CCorvinaApp() override;

    /// Loads shortcut table 128, resolves the Lists folder and runs the document list screen on it.
    /// Answers false, always, so the program ends afterwards.
    bool InitInstance() override;
    /// Offers every key message to the shortcut table first: a plain Enter becomes command 57601
    /// (Open) for the focused window and goes no further, so it never presses a default button or
    /// closes a screen. Other keys get the windows' own handling.
    bool PreTranslateMessage(MSG& msg) override;

    /// The Lists folder, resolved from the registry and created when missing.
    static std::u16string GetListsFolder();

private:
    CAcceleratorTable m_accelerators;  ///< shortcut table 128; empty until start-up
};
