// CWinApp: options, the window system and the device window, start-up, and the default keyboard
// pre-translation.
#include "platform/ui/WinApp.h"

#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/DeviceWindow.h"
#include "platform/ui/Font.h"
#include "platform/ui/KeyHook.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace {
CWinApp*& CurrentApp() {
    static CWinApp* app = nullptr;
    return app;
}

/// The largest enlargement allowed, and how much of the display's height the device may take.
constexpr int kMaximumScale = 4;
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
    return std::clamp(fitting, 1, kMaximumScale);
}

/// Removes argv[index] and the `count - 1` arguments after it.
void RemoveArguments(int& argc, char** argv, int index, int count) {
    for (int i = index; i + count <= argc; ++i) {
        argv[i] = argv[i + count];
    }
    argc -= count;
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

AppOptions CWinApp::ParseOptions(int& argc, char** argv) {
    constexpr std::string_view kScaleOption = "--scale";
    AppOptions options;
    int i = 1;
    while (i < argc) {
        const std::string_view arg = argv[i];
        std::string value;
        int taken = 0;
        if (arg == kScaleOption) {
            if (i + 1 >= argc) {
                throw std::invalid_argument("--scale needs a whole number from 1 to " +
                                            std::to_string(kMaximumScale));
            }
            value = argv[i + 1];
            taken = 2;
        } else if (arg.starts_with(std::string(kScaleOption) + "=")) {
            value = std::string(arg.substr(kScaleOption.size() + 1));
            taken = 1;
        } else {
            ++i;
            continue;
        }
        char* end = nullptr;
        const long scale = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || scale < 1 || scale > kMaximumScale) {
            throw std::invalid_argument("--scale needs a whole number from 1 to " +
                                        std::to_string(kMaximumScale) + ", not \"" + value + "\"");
        }
        options.scale = static_cast<int>(scale);
        RemoveArguments(argc, argv, i, taken);
    }
    return options;
}

int CWinApp::Run(int argc, char** argv) {
    try {
        m_options = ParseOptions(argc, argv);
    } catch (const std::invalid_argument& error) {
        std::cerr << "corvina: " << error.what() << '\n';
        return 2;
    }
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
