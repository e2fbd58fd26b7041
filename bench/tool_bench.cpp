// corvina-tool's show beside its export, each as the whole process a user runs, writing a list of
// 1,000 to 1,000,000 items to a file: show is held to export's wall and CPU time (within 1.2 times)
// and to its peak memory. After the runs it prints the ratios.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "BenchLists.h"

namespace {

using namespace bench;

constexpr double kTimeGoal = 1.2;
constexpr double kMemoryGoal = 1.0;
constexpr double kKiBPerMiB = 1024;
constexpr int kExecFailed = 127;

/// What one run of the tool cost, as the operating system counted it for the child process.
struct ToolRun {
    bool succeeded = false;
    double wallSeconds = 0;
    double cpuSeconds = 0;
    double peakMiB = 0;
};

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

/// Runs corvina-tool with `arguments`, its standard output going to `outputPath`.
ToolRun RunTool(const std::vector<std::string>& arguments, const std::string& outputPath) {
    std::vector<char*> argv{const_cast<char*>(CORVINA_TOOL_PATH)};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int output = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (output < 0 || ::dup2(output, STDOUT_FILENO) < 0) {
            ::_exit(kExecFailed);
        }
        ::execv(CORVINA_TOOL_PATH, argv.data());
        ::_exit(kExecFailed);
    }
    ToolRun run;
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child) {
        return run;
    }
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / kKiBPerMiB;
    return run;
}

/// The list file of `count` items, saved once.
const std::string& ListFile(std::int64_t count) {
    static std::map<std::int64_t, std::string> paths;
    std::string& path = paths[count];
    if (path.empty()) {
        CCorvinaDoc doc;
        FillList(doc, count);
        path = (ScratchFolder() / ("list-" + std::to_string(count) + ".crv")).string();
        if (!doc.OnSaveDocument(Widen(path))) {
            std::abort();
        }
    }
    return path;
}

/// Runs the tool once per iteration and reports the child's own times and its largest peak.
void MeasureTool(benchmark::State& state, const std::vector<std::string>& arguments,
                 const std::string& output) {
    double wall = 0;
    double cpu = 0;
    double peak = 0;
    for (auto _ : state) {
        const ToolRun run = RunTool(arguments, output);
        if (!run.succeeded) {
            state.SkipWithError("corvina-tool failed");
            return;
        }
        state.SetIterationTime(run.wallSeconds);
        wall += run.wallSeconds;
        cpu += run.cpuSeconds;
        peak = std::max(peak, run.peakMiB);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["wall_s"] = wall / runs;
    state.counters["cpu_s"] = cpu / runs;
    state.counters["peak_MiB"] = peak;
}

void BM_ToolExport(benchmark::State& state) {
    const std::string output = (ScratchFolder() / "exported.txt").string();
    MeasureTool(state, {"export", ListFile(state.range(0)), output}, "/dev/null");
}

void BM_ToolShow(benchmark::State& state) {
    const std::string output = (ScratchFolder() / "shown.txt").string();
    MeasureTool(state, {"show", ListFile(state.range(0))}, output);
}

BENCHMARK(BM_ToolExport)->Apply(ForEachSize)->UseManualTime();
BENCHMARK(BM_ToolShow)->Apply(ForEachSize)->UseManualTime();

} // namespace

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv, {}, {},
                         {{"BM_ToolShow", "BM_ToolExport", "wall_s", kTimeGoal},
                          {"BM_ToolShow", "BM_ToolExport", "cpu_s", kTimeGoal},
                          {"BM_ToolShow", "BM_ToolExport", "peak_MiB", kMemoryGoal}});
}
