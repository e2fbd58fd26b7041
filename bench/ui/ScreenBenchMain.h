// What the benchmarks of the screens share: Google Benchmark run inside the application object, once
// the window system and the device window exist, on the offscreen platform unless one is chosen.
#pragma once

#include "platform/ui/WinApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

/// The application object whose start-up runs the benchmarks and then ends the program.
class ScreenBenchApp : public CWinApp {
public:
    ScreenBenchApp(std::u16string name, std::function<void()> run)
        : CWinApp(std::move(name)), m_run(std::move(run)) {}
    bool InitInstance() override {
        m_run();
        return false;
    }

private:
    std::function<void()> m_run; // runs the benchmarks and prints what follows them
};

/// The main of a screen benchmark: `run` runs the benchmarks (with its reporter) once the
/// application `name` is up.
inline int RunScreenBenchmarks(int argc, char** argv, std::u16string name, std::function<void()> run) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    benchmark::Initialize(&argc, argv);
    ScreenBenchApp app(std::move(name), std::move(run));
    return app.Run(argc, argv);
}
