// Benchmarks of the list editor on lists of 1,000 and 100,000 items, each beside a baseline from the
// same run. Opening (the list file loaded, the rows filled and the first paint) is held to the floor
// of its job: the same file loaded and one pass over its items. Each item command (add at the end,
// edit a title, move up, delete a leaf, tick one check box) runs in an editor on screen, painting as
// a user sees them, beside a full relayout of the same rows by the control, every title measured
// afresh and the rows in view painted. Check all items, which changes no row's height, is held to
// a pass that sets every item's flag and to a ceiling in milliseconds. The delete of a 10,000-item branch and
// its undo run too, the undo held to the delete. After the runs it prints each ratio with its goal.
#include "../BenchLists.h"

#include "ScreenBenchMain.h"
#include "editor/ListEditorDlg.h"
#include "model/CorvinaDoc.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/testing/UiTest.h"
#include "treectrl/VisualTreeCtrl.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

constexpr std::int64_t kEditorSizes[] = {1000, 100000};
/// The goals, as ratios to the baselines. Opening is held to its load and one pass over the items
/// as the document list's open is to the load alone.
constexpr double kOpeningGoal = 2.5;
constexpr double kCommandGoal = 1.0 / 20;
/// Check all items on the larger list, in milliseconds.
constexpr double kCheckAllMilliseconds = 10;
/// Undoing a delete costs at most this many times the delete.
constexpr double kUndoDeleteGoal = 2.0;
/// The list and the branch of the undo benchmarks, and the items under each of the branch's children.
constexpr std::int64_t kBranchListSize = 100000;
constexpr std::int64_t kBranchSize = 10000;
constexpr std::int64_t kBranchGroupSize = 100;

/// The control's own relayout, reached as the control's derived classes reach it.
class Relayout : public CVisualTreeCtrl {
public:
    /// Forgets every measured title and word, then paints and places every row down to the last,
    /// which lays every row out again.
    static void Remeasured(CVisualTreeCtrl& rows) {
        (rows.*(&Relayout::ForgetMeasurements))();
        rows.RedrawWindow();
        (rows.*(&Relayout::PlaceAllRows))();
    }
};

/// The list file of `count` items, saved once.
const std::u16string& ListFile(std::int64_t count) {
    static std::map<std::int64_t, std::u16string> paths;
    std::u16string& path = paths[count];
    if (path.empty()) {
        CCorvinaDoc doc;
        bench::FillList(doc, count);
        path = bench::ScratchFile("list-" + std::to_string(count) + ".crv");
        if (!doc.OnSaveDocument(path)) {
            std::abort();
        }
    }
    return path;
}

/// The device the editor works in, with its root in the scratch folder.
DeviceStorage ScratchDevice() {
    return DeviceStorage({Widen((bench::ScratchFolder() / "device").string()), {}});
}

/// A list of `count` items open in the editor, on screen; `body` runs while it is.
void WithEditor(std::int64_t count, const std::function<void(CListEditorDlg&, CCorvinaDoc&)>& body) {
    CCorvinaDoc doc;
    bench::FillList(doc, count);
    doc.SetTitle(u"Bench.crv");
    CListEditorDlg editor(ScratchDevice(), u"\\Lists\\", &doc);
    uitest::RunModal(editor, [&] {
        editor.GetTreeCtrl().RedrawWindow();
        body(editor, doc);
    });
}

void BM_Baseline(benchmark::State& state) {
    WithEditor(state.range(0), [&](CListEditorDlg& editor, CCorvinaDoc&) {
        for (auto _ : state) {
            Relayout::Remeasured(editor.GetTreeCtrl());
        }
    });
}

/// The floor of opening a list: its file loaded into a document and one pass over the items, reading
/// each title as filling the rows must.
void BM_LoadAndOnePass(benchmark::State& state) {
    const std::u16string& path = ListFile(state.range(0));
    for (auto _ : state) {
        CCorvinaDoc doc;
        if (!doc.OnOpenDocument(path)) {
            state.SkipWithError("the list did not load");
            break;
        }
        std::size_t units = 0;
        doc.tree.Walk([&](const TaskNode& node, std::size_t) { units += node.item.title.size(); });
        benchmark::DoNotOptimize(units);
    }
}

/// Opening as a user waits for it: the file loaded, the editor set up with its rows, the first paint.
void BM_Opening(benchmark::State& state) {
    const std::u16string& path = ListFile(state.range(0));
    for (auto _ : state) {
        CCorvinaDoc doc;
        if (!doc.OnOpenDocument(path)) {
            state.SkipWithError("the list did not load");
            break;
        }
        CListEditorDlg editor(ScratchDevice(), u"\\Lists\\", &doc);
        uitest::RunModal(editor, [&] { editor.GetTreeCtrl().RedrawWindow(); });
    }
}

void BM_AddAtTheEnd(benchmark::State& state) {
    WithEditor(state.range(0), [&](CListEditorDlg& editor, CCorvinaDoc&) {
        TaskItem item;
        item.title = u"Added at the end";
        for (auto _ : state) {
            editor.AppendItem(item, nullptr);
        }
    });
}

void BM_EditTitle(benchmark::State& state) {
    WithEditor(state.range(0), [&](CListEditorDlg& editor, CCorvinaDoc&) {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        VisualNode* row = rows.GetShownRows().at(2);
        TaskNode* node = reinterpret_cast<TaskNode*>(rows.GetItemData(row));
        bool longer = false;
        for (auto _ : state) {
            const TaskItem before = node->item;
            node->item.title = longer ? u"A title edited to be a good deal longer" : u"Edited";
            longer = !longer;
            editor.ItemEdited(row, before);
        }
    });
}

void BM_MoveUp(benchmark::State& state) {
    WithEditor(state.range(0), [&](CListEditorDlg& editor, CCorvinaDoc&) {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        VisualNode* first = rows.GetShownRows().at(1);
        VisualNode* second = rows.GetNextSiblingItem(first);
        bool which = false;
        for (auto _ : state) {
            // Two siblings swap places back and forth, so every move moves something.
            editor.MoveRowItem(which ? first : second, true);
            which = !which;
        }
    });
}

void BM_DeleteLeaf(benchmark::State& state) {
    WithEditor(state.range(0), [&](CListEditorDlg& editor, CCorvinaDoc&) {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        VisualNode* parent = rows.GetShownRows().at(1);
        TaskItem item;
        item.title = u"Leaf";
        for (auto _ : state) {
            state.PauseTiming();
            VisualNode* leaf = editor.AppendItem(item, parent);
            state.ResumeTiming();
            editor.DeleteRowItem(leaf);
        }
    });
}

void BM_TickOneBox(benchmark::State& state) {
    WithEditor(state.range(0), [&](CListEditorDlg& editor, CCorvinaDoc&) {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        VisualNode* row = rows.GetShownRows().at(3);
        for (auto _ : state) {
            rows.SetCheck(row, rows.GetCheck(row) != 0 ? 0 : 1, false);
        }
    });
}

void BM_CheckAll(benchmark::State& state) {
    WithEditor(state.range(0), [&](CListEditorDlg& editor, CCorvinaDoc&) {
        BYTE state01 = 1;
        for (auto _ : state) {
            editor.CheckAllItems(state01);
            state01 = state01 != 0 ? 0 : 1;
        }
    });
}

/// Check all's baseline: one pass over the list that sets every item's checked flag.
void BM_SetFlags(benchmark::State& state) {
    WithEditor(state.range(0), [&](CListEditorDlg&, CCorvinaDoc& doc) {
        std::uint8_t flag = 1;
        for (auto _ : state) {
            doc.tree.Walk([flag](TaskNode& node, std::size_t) { node.item.checked = flag; });
            benchmark::ClobberMemory();
            flag = flag != 0 ? 0 : 1;
        }
    });
}

/// A list of 100,000 items whose last top-level item holds 10,000 of them, open in the editor on
/// screen; `body` gets that item's row.
void WithBranch(const std::function<void(CListEditorDlg&, VisualNode*)>& body) {
    CCorvinaDoc doc;
    bench::FillList(doc, kBranchListSize - kBranchSize);
    TaskItem item;
    item.title = u"Branch";
    TaskNode* branch = doc.tree.AddItem(item);
    TaskNode* group = nullptr;
    for (std::int64_t i = 1; i < kBranchSize; ++i) {
        item.title = bench::TitleOf(i);
        if (i % kBranchGroupSize == 1) {
            group = doc.tree.AddItem(item, branch);
        } else {
            doc.tree.AddItem(item, group);
        }
    }
    doc.SetTitle(u"Bench.crv");
    CListEditorDlg editor(ScratchDevice(), u"\\Lists\\", &doc);
    uitest::RunModal(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        rows.RedrawWindow();
        VisualNode* row = rows.GetFirstItem();
        while (rows.GetItemData(row) != reinterpret_cast<UINT_PTR>(branch)) {
            row = rows.GetNextSiblingItem(row);
        }
        body(editor, row);
    });
}

void BM_DeleteBranch(benchmark::State& state) {
    WithBranch([&](CListEditorDlg& editor, VisualNode* branch) {
        for (auto _ : state) {
            editor.DeleteRowItem(branch);
            state.PauseTiming();
            editor.Undo();
            state.ResumeTiming();
        }
    });
}

void BM_UndoDeleteBranch(benchmark::State& state) {
    WithBranch([&](CListEditorDlg& editor, VisualNode* branch) {
        for (auto _ : state) {
            state.PauseTiming();
            editor.DeleteRowItem(branch);
            state.ResumeTiming();
            editor.Undo();
        }
    });
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (std::int64_t size : kEditorSizes) {
        b->Arg(size);
    }
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Baseline)->Apply(Sizes);
BENCHMARK(BM_LoadAndOnePass)->Apply(Sizes);
BENCHMARK(BM_Opening)->Apply(Sizes);
BENCHMARK(BM_AddAtTheEnd)->Apply(Sizes);
BENCHMARK(BM_EditTitle)->Apply(Sizes);
BENCHMARK(BM_MoveUp)->Apply(Sizes);
BENCHMARK(BM_DeleteLeaf)->Apply(Sizes);
BENCHMARK(BM_TickOneBox)->Apply(Sizes);
BENCHMARK(BM_CheckAll)->Apply(Sizes);
BENCHMARK(BM_SetFlags)->Apply(Sizes);
BENCHMARK(BM_DeleteBranch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoDeleteBranch)->Unit(benchmark::kMillisecond);

/// Keeps every run's time, so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                m_times[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        std::printf("\nRatios of CPU times to the list's load and one pass over its items:\n");
        for (std::int64_t size : kEditorSizes) {
            const std::string arg = "/" + std::to_string(size);
            Print("opening", "BM_Opening" + arg, "BM_LoadAndOnePass" + arg, arg, kOpeningGoal,
                  size == kEditorSizes[1]);
        }
        std::printf(
            "\nRatios of CPU times to a full relayout of the same rows, every title measured afresh:\n");
        for (std::int64_t size : kEditorSizes) {
            const std::string arg = "/" + std::to_string(size);
            const std::string baseline = "BM_Baseline" + arg;
            const bool large = size == kEditorSizes[1];
            for (const char* command :
                 {"BM_AddAtTheEnd", "BM_EditTitle", "BM_MoveUp", "BM_DeleteLeaf", "BM_TickOneBox"}) {
                Print(command + 3, command + arg, baseline, arg, kCommandGoal, large);
            }
        }
        std::printf("\nCheck all items beside a pass that sets every item's flag (CPU time per run):\n");
        for (std::int64_t size : kEditorSizes) {
            const std::string arg = "/" + std::to_string(size);
            const double checkAll = Time("BM_CheckAll" + arg);
            const double flags = Time("BM_SetFlags" + arg);
            std::printf("  %8s items  Check all %8.3f ms, setting the flags %8.3f ms, ratio %6.1f",
                        arg.c_str() + 1, checkAll, flags, flags > 0 ? checkAll / flags : 0.0);
            if (size == kEditorSizes[1]) {
                std::printf("  goal Check all <= %.0f ms: %s", kCheckAllMilliseconds,
                            checkAll <= kCheckAllMilliseconds ? "met" : "NOT MET");
            }
            std::printf("\n");
        }
        const double remove = Time("BM_DeleteBranch");
        const double undo = Time("BM_UndoDeleteBranch");
        const double ratio = remove > 0 ? undo / remove : 0;
        std::printf("\nUndoing the delete of a %lld-item branch of a %lld-item list, to the delete itself:\n"
                    "  delete %.3f ms, undo %.3f ms, ratio %.3f  goal <= %.1f: %s\n",
                    static_cast<long long>(kBranchSize), static_cast<long long>(kBranchListSize), remove,
                    undo, ratio, kUndoDeleteGoal, ratio <= kUndoDeleteGoal ? "met" : "NOT MET");
    }

private:
    void Print(const char* what, const std::string& name, const std::string& baselineName,
               const std::string& arg, double goal, bool held) const {
        const double baseline = Time(baselineName);
        const double ratio = baseline > 0 ? Time(name) / baseline : 0;
        std::printf("  %8s items  %-16s %8.4f", arg.c_str() + 1, what, ratio);
        if (held) {
            std::printf("  goal <= %.3f: %s", goal, ratio <= goal ? "met" : "NOT MET");
        }
        std::printf("\n");
    }
    double Time(const std::string& name) const {
        const auto found = m_times.find(name);
        return found == m_times.end() ? 0.0 : found->second;
    }
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv) {
    return RunScreenBenchmarks(argc, argv, u"editor_bench", [] {
        InstallProgramResources();
        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        reporter.PrintRatios();
    });
}
