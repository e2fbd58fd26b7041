// CWinApp: options, the window system and the device window, start-up, and the default keyboard
// pre-translation.
#include "platform/ui/WinApp.h"

#include "platform/ui/Font.h"
#include "platform/ui/KeyHook.h"
#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/DeviceWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

namespace {
CWinApp*& CurrentApp() {
    static CWinApp* app = nullptr;
    return app;
}

/// The exit code of a run that found no display.
constexpr int kNoDisplay = 1;
/// How much of the display's height the device may take.
constexpr double kShareOfDisplayHeight = 0.8;

/// The scale that fits the device comfortably on the primary display (1 when there is none). A
/// short-lived application object asks the display, because the scale must be fixed before the
/// real one exists.
int ScaleFromDisplay(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && std::strcmp(platform, "offscreen") == 0) {
        return 1;
    }
    // The probe takes the window system's options (-platform ...) out of the list it is given, so it
    // gets a copy: the real application object must still see them.
    std::vector<char*> probeArgv(argv, argv + argc);
    probeArgv.push_back(nullptr);
    int probeArgc = argc;
    QGuiApplication probe(probeArgc, probeArgv.data());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || QGuiApplication::platformName() == QLatin1String("offscreen")) {
        return 1;
    }
    const int fitting = static_cast<int>(screen->availableGeometry().height() * kShareOfDisplayHeight) /
                        platform::look::kScreenHeight;
    return std::clamp(fitting, 1, kLargestScale);
}

} // namespace

CWinApp::CWinApp(std::u16string appName) : m_appName(std::move(appName)) {
    CurrentApp() = this;
}

CWinApp::~CWinApp() {
    if (CurrentApp() == this) {
        CurrentApp() = nullptr;
    }
}

bool CWinApp::HasDisplay() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

int CWinApp::Run(int argc, char** argv, const AppOptions& options) {
    if (!HasDisplay()) {
        std::cerr << "corvina: no display to show the device on: DISPLAY and WAYLAND_DISPLAY are not set "
                     "(for pictures without one, set QT_QPA_PLATFORM=offscreen)\n";
        return kNoDisplay;
    }
    m_options = options;
    const int scale = m_options.scale > 0 ? m_options.scale : ScaleFromDisplay(argc, argv);
    // Whole factors only: 1-pixel lines stay 1 device pixel multiplied, never uneven.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    QApplication application(argc, argv);
    RegisterDeviceFonts();
    platform::Device();
    InitInstance();
    return 0;
}

bool CWinApp::InitInstance() {
    return false;
}

bool CWinApp::PreTranslateMessage(MSG& msg) {
    return platform::RunWindowsPreTranslate(msg);
}

CWinApp* AfxGetApp() {
    return CurrentApp();
}
