// CCorvinaApp: the program's start-up: the shortcut table, the Lists folder and the document list
// screen run as the one main window.
#pragma once

#include "platform/core/ErrorReport.h"
#include "platform/ui/Accelerators.h"
#include "platform/ui/ScreenTour.h"
#include "platform/ui/WinApp.h"

#include <optional>
#include <string>

class DeviceStorage;

/// The program's name: the title of its message boxes.
inline constexpr std::u16string_view kProgramName = u"Corvina";

/// The application object. Its start-up runs the whole program: the document list screen runs
/// modally, and when it closes the program ends. While it exists, every error report (a list that
/// cannot be read or saved) is shown in a message box titled "Corvina" with the stop icon.
class CCorvinaApp : public CWinApp {
public:
    /// The program works in `device`, which outlives it.
    explicit CCorvinaApp(const DeviceStorage& device);
    ~CCorvinaApp() override;

    /// Loads the shortcut table, resolves the Lists folder and runs the document list screen on it.
    /// Answers false, always, so the program ends afterwards.
    bool InitInstance() override;
    /// Offers every key message to the shortcut table first: a plain Enter becomes Open for the
    /// focused window and goes no further, so it never presses a default button or closes a screen.
    /// Other keys get the windows' own handling.
    bool PreTranslateMessage(MSG& msg) override;

    /// Loads the shortcut table (start-up does it first). Without it Enter reaches the screens'
    /// own key handling; answers whether it loaded.
    bool LoadShortcuts();

    /// The Lists folder, resolved from the device's registry and created when missing.
    std::u16string GetListsFolder() const;

    /// Asks for a picture of the screens instead of a session: once the first screen is up, the
    /// plan's taps are given, the picture is written and the program ends.
    void SetScreenshot(ScreenTourPlan plan) { m_screenshot = std::move(plan); }
    /// True once the requested picture was written.
    bool ScreenshotWritten() const { return m_screenshotWritten; }

private:
    const DeviceStorage& m_device;              ///< where the lists are
    ScopedErrorReportHandler m_errorReports;    ///< reports shown in message boxes
    CAcceleratorTable m_accelerators;           ///< the shortcut table; empty until start-up
    std::optional<ScreenTourPlan> m_screenshot; ///< the picture asked for, if any
    bool m_screenshotWritten = false;           ///< the picture asked for was written
};
