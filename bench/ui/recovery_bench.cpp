// The recovery copy of a 100,000-item list open in the editor on screen, held to a Save of the same
// list in the same editor, beside a baseline from the same run: the list's bytes written to a file
// and flushed to storage, the floor of either job. The tick is what blocks the editor (it encodes the
// list and hands it to the writing thread), so its mean and longest run are held to a Save's; the
// copy's whole way to storage, tick and writing thread together, is held to a Save as well.
#include "../BenchLists.h"

#include "ScreenBenchMain.h"
#include "editor/ListEditorDlg.h"
#include "model/CorvinaDoc.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/ui/Resources.h"
#include "platform/ui/testing/UiTest.h"
#include "res/ResourceIds.h"
#include "support/TestFolder.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>

namespace {

constexpr std::int64_t kListSize = 100000;
/// A recovery tick costs at most a Save, in the mean and in its longest run.
constexpr double kTickToSaveGoal = 1.0;
constexpr const char* kLongest = "longest_ms";
constexpr double kMillisecondsPerSecond = 1000.0;

/// A device root of its own with a Lists folder, for as long as the benchmarks run.
struct BenchDevice {
    TestFolder root;
    DeviceStorage storage{{FromUtf8OrCp1252(root.Path().string()), {}}};
    BenchDevice() { std::filesystem::create_directories(root.Path() / "Lists"); }
};

/// The list open in the editor on screen, with its file saved once; `body` runs while it is.
void WithListEditor(const DeviceStorage& device,
                    const std::function<void(CListEditorDlg&, CCorvinaDoc&)>& body) {
    CCorvinaDoc doc;
    doc.SetHostPathMapping(device.PathMapping());
    bench::FillList(doc, kListSize);
    doc.SetPathName(u"\\Lists\\Bench.crv");
    doc.OnSaveDocument(doc.GetPathName());
    CListEditorDlg editor(device, u"\\Lists\\", &doc);
    uitest::RunModal(editor, [&] {
        editor.GetTreeCtrl().RedrawWindow();
        body(editor, doc);
    });
}

/// Times each run of `step` by hand, so that the longest can be reported beside the mean.
void TimeEach(benchmark::State& state, const std::function<void()>& prepare,
              const std::function<void()>& step) {
    double longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        prepare();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        step();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        longest = std::max(longest, took.count());
    }
    state.counters[kLongest] = longest * kMillisecondsPerSecond;
}

/// A change to keep: one box ticked or unticked, as the pen does it.
void ToggleFirstBox(CListEditorDlg& editor) {
    CVisualTreeCtrl& rows = editor.GetTreeCtrl();
    VisualNode* row = rows.GetFirstItem();
    rows.SetCheck(row, rows.GetCheck(row) != 0 ? 0 : 1, false);
}

void BM_WriteTheBytes(benchmark::State& state, const DeviceStorage& device) {
    WithListEditor(device, [&](CListEditorDlg&, CCorvinaDoc& doc) {
        const std::string host = device.HostPathOf(doc.GetPathName());
        std::ifstream in(host, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const std::string raw = host + ".raw";
        TimeEach(
            state, [] {},
            [&] {
                const int fd = ::open(raw.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
                benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
                ::fsync(fd);
                ::close(fd);
            });
    });
}

void BM_Save(benchmark::State& state, const DeviceStorage& device) {
    WithListEditor(device, [&](CListEditorDlg& editor, CCorvinaDoc&) {
        TimeEach(
            state, [&] { ToggleFirstBox(editor); }, [&] { editor.SendCommand(ID_FILE_SAVE); });
    });
}

void BM_RecoveryTick(benchmark::State& state, const DeviceStorage& device) {
    WithListEditor(device, [&](CListEditorDlg& editor, CCorvinaDoc&) {
        TimeEach(
            state,
            [&] {
                ToggleFirstBox(editor);
                // The timer's second: the previous copy is stored and this one's memory is ready.
                editor.FinishRecoveryCopy();
            },
            [&] { uitest::FireTimer(editor, CListEditorDlg::kRecoveryTimer); });
        editor.FinishRecoveryCopy();
    });
}

void BM_RecoveryCopyStored(benchmark::State& state, const DeviceStorage& device) {
    WithListEditor(device, [&](CListEditorDlg& editor, CCorvinaDoc&) {
        TimeEach(
            state, [&] { ToggleFirstBox(editor); },
            [&] {
                uitest::FireTimer(editor, CListEditorDlg::kRecoveryTimer);
                editor.FinishRecoveryCopy();
            });
    });
}

/// Registers the benchmarks, each working in `device`, which outlives them.
void RegisterBenchmarks(const DeviceStorage& device) {
    using Function = void (*)(benchmark::State&, const DeviceStorage&);
    for (const auto& [name, function] :
         {std::pair<const char*, Function>{"BM_WriteTheBytes", BM_WriteTheBytes},
          {"BM_Save", BM_Save},
          {"BM_RecoveryTick", BM_RecoveryTick},
          {"BM_RecoveryCopyStored", BM_RecoveryCopyStored}}) {
        benchmark::RegisterBenchmark(name, function, std::cref(device))
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
}

/// Keeps every run's time and longest step, so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                m_mean[run.benchmark_name()] = run.GetAdjustedRealTime();
                const auto longest = run.counters.find(kLongest);
                m_longest[run.benchmark_name()] = longest == run.counters.end() ? 0 : longest->second.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        const double raw = Get(m_mean, "BM_WriteTheBytes/manual_time");
        const double save = Get(m_mean, "BM_Save/manual_time");
        const double tick = Get(m_mean, "BM_RecoveryTick/manual_time");
        const double stored = Get(m_mean, "BM_RecoveryCopyStored/manual_time");
        const double longestSave = Get(m_longest, "BM_Save/manual_time");
        const double longestTick = Get(m_longest, "BM_RecoveryTick/manual_time");
        std::printf("\nA %lld-item list in the editor; baseline: its bytes written and flushed, %.3f ms\n",
                    static_cast<long long>(kListSize), raw);
        std::printf("                     mean ms   longest ms   mean x baseline\n");
        Row("Save", save, longestSave, raw);
        Row("recovery tick", tick, longestTick, raw);
        Row("copy stored", stored, Get(m_longest, "BM_RecoveryCopyStored/manual_time"), raw);
        Print("tick to Save, mean", tick, save);
        Print("longest tick to longest Save", longestTick, longestSave);
        Print("copy stored to Save, mean", stored, save);
    }

private:
    static void Row(const char* what, double mean, double longest, double baseline) {
        std::printf("  %-16s %9.3f  %11.3f   %.3f\n", what, mean, longest,
                    baseline > 0 ? mean / baseline : 0);
    }
    static void Print(const char* what, double measured, double reference) {
        const double ratio = reference > 0 ? measured / reference : 0;
        std::printf("  %-30s %.3f  goal <= %.1f: %s\n", what, ratio, kTickToSaveGoal,
                    ratio <= kTickToSaveGoal ? "met" : "NOT MET");
    }
    static double Get(const std::map<std::string, double>& times, const std::string& name) {
        const auto found = times.find(name);
        return found == times.end() ? 0.0 : found->second;
    }
    std::map<std::string, double> m_mean;
    std::map<std::string, double> m_longest;
};

} // namespace

int main(int argc, char** argv) {
    return RunScreenBenchmarks(argc, argv, u"recovery_bench", [] {
        InstallProgramResources();
        const BenchDevice device;
        RegisterBenchmarks(device.storage);
        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        reporter.PrintRatios();
    });
}
