// What the list benchmarks share: building lists of a given size, a scratch folder, and a console
// report that ends with each measured operation's time as a ratio of its raw baseline from the same run.
#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/CorvinaDoc.h"
#include "platform/core/PoolChunks.h"
#include "platform/core/Strings.h"
#include "support/TestFolder.h"

namespace bench {

/// The list sizes every benchmark runs at.
inline constexpr std::int64_t kSizes[] = {1000, 100000, 1000000};
/// One item in this many has notes.
inline constexpr int kNotesEvery = 10;
/// Top-level items come every this many items, level-1 items every `kLevelOneEvery`; the rest are level 2.
inline constexpr int kTopLevelEvery = 50;
inline constexpr int kLevelOneEvery = 10;

/// The title of item `i`: about twelve characters.
inline std::u16string TitleOf(std::int64_t i) {
    std::string digits = std::to_string(i);
    digits.insert(0, 7 - std::min<std::size_t>(digits.size(), 7), '0');
    return Widen("Item " + digits);
}

inline const std::u16string kNotes = u"Ask for the fresh one";

/// Fills `doc` with `count` items three levels deep, notes on one in ten.
inline void FillList(CCorvinaDoc& doc, std::int64_t count) {
    TaskNode* top = nullptr;
    TaskNode* middle = nullptr;
    for (std::int64_t i = 0; i < count; ++i) {
        TaskItem item;
        item.title = TitleOf(i);
        item.quantity = static_cast<std::uint32_t>(i % 7 + 1);
        item.checked = static_cast<std::uint8_t>(i % 3 == 0);
        item.importance = static_cast<std::int32_t>(i % 3);
        if (i % kNotesEvery == 0) {
            item.notes = kNotes;
        }
        if (i % kTopLevelEvery == 0 || top == nullptr) {
            top = doc.tree.AddItem(std::move(item));
            middle = nullptr;
        } else if (i % kLevelOneEvery == 0 || middle == nullptr) {
            middle = doc.tree.AddItem(std::move(item), top);
        } else {
            doc.tree.AddItem(std::move(item), middle);
        }
    }
}

/// The list of `count` items that `FillList` builds, built once per program.
inline const CCorvinaDoc& ListOf(std::int64_t count) {
    static std::map<std::int64_t, std::unique_ptr<CCorvinaDoc>> docs;
    auto& doc = docs[count];
    if (!doc) {
        doc = std::make_unique<CCorvinaDoc>();
        FillList(*doc, count);
    }
    return *doc;
}

/// Runs a benchmark at every list size, timed in milliseconds.
inline void ForEachSize(benchmark::internal::Benchmark* b) {
    for (const std::int64_t size : kSizes) {
        b->Arg(size);
    }
    b->Unit(benchmark::kMillisecond);
}

/// The UTF-16 bytes of the titles and notes of a list built by `FillList`.
inline std::uint64_t TextBytesOf(const CCorvinaDoc& doc) {
    std::uint64_t bytes = 0;
    doc.tree.Walk([&](const TaskNode& node, std::size_t) {
        bytes += 2 * (node.item.title.size() + node.item.notes.size());
    });
    return bytes;
}

/// Lets the allocator finish merging the chunks a deleted list gave back (glibc defers that work to
/// the next large request), so it is charged to the deletion and not to whatever is timed next.
inline void SettleAllocator() {
    constexpr std::size_t kLargeRequest = 64 * 1024;
    void* block = std::malloc(kLargeRequest);
    benchmark::DoNotOptimize(block);
    std::free(block);
}

/// Bytes the allocator has handed out and not yet taken back, overhead included, and the trees'
/// huge-page chunks.
inline std::uint64_t HeapInUse() {
    return mallinfo2().uordblks + mallinfo2().hblkhd + MappedChunkBytes();
}

/// A scratch folder for one benchmark program, removed with everything in it at exit.
inline const std::filesystem::path& ScratchFolder() {
    static const TestFolder folder;
    return folder.Path();
}

inline std::u16string ScratchFile(const std::string& name) {
    return Widen((ScratchFolder() / name).string());
}

/// Prints the usual console table, remembers each run's times and counters, and at the end prints
/// one line per goal: the operation, the goal, what was measured against the baseline of the same
/// size from the same run, and whether the goal is met.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    /// A measured operation and the baseline it is held to, by benchmark name prefix ("BM_Load").
    struct Pair {
        std::string measured;
        std::string baseline;
        /// The largest wall-clock ratio that meets the goal.
        double goal;
        /// The CPU-time ratio must meet the goal as well.
        bool cpuToo = false;
    };
    /// A counter of one benchmark held to a ceiling ("heap_B/item_beyond_text" at most 80).
    struct Ceiling {
        std::string benchmark;
        std::string counter;
        double goal;
    };

    /// A counter of a measured operation held to the same counter of its baseline of the same size
    /// ("peak_MiB" of BM_ToolShow at most 1.0 times that of BM_ToolExport).
    struct CounterPair {
        std::string measured;
        std::string baseline;
        std::string counter;
        double goal;
    };

    RatioReporter(std::vector<Pair> pairs, std::vector<Ceiling> ceilings = {},
                  std::vector<CounterPair> counterPairs = {})
        : m_pairs(std::move(pairs)), m_ceilings(std::move(ceilings)),
          m_counterPairs(std::move(counterPairs)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0 && !run.error_occurred) {
                m_times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
                for (const auto& [name, counter] : run.counters) {
                    m_counters[run.benchmark_name() + ":" + name] = counter.value;
                }
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        // Wall-clock ratios are what a user waits; on a busy machine the CPU-time ratios are steadier.
        std::printf("\n%-34s %-28s %7s %10s %10s  %s\n", "operation", "baseline", "goal", "wall ratio",
                    "CPU ratio", "verdict");
        for (const Pair& pair : m_pairs) {
            for (const auto& [name, time] : m_times) {
                if (name.rfind(pair.measured + "/", 0) != 0) {
                    continue;
                }
                const std::string size = name.substr(pair.measured.size());
                const auto baseline = m_times.find(pair.baseline + size);
                if (baseline == m_times.end() || baseline->second.wall <= 0 || baseline->second.cpu <= 0) {
                    continue;
                }
                const double wallRatio = time.wall / baseline->second.wall;
                const double cpuRatio = time.cpu / baseline->second.cpu;
                const bool met = wallRatio <= pair.goal && (!pair.cpuToo || cpuRatio <= pair.goal);
                std::printf("%-34s %-28s <=%4.1fx %9.2fx %9.2fx  %s\n", name.c_str(), baseline->first.c_str(),
                            pair.goal, wallRatio, cpuRatio, met ? "met" : "NOT MET");
            }
        }
        for (const Ceiling& ceiling : m_ceilings) {
            for (const auto& [name, value] : m_counters) {
                if (name.rfind(ceiling.benchmark + "/", 0) != 0 || name.size() < ceiling.counter.size() + 1 ||
                    name.compare(name.size() - ceiling.counter.size() - 1, std::string::npos,
                                 ":" + ceiling.counter) != 0) {
                    continue;
                }
                std::printf("%-63s <=%5.0f %9.1f %12s %s\n", name.c_str(), ceiling.goal, value, "",
                            value <= ceiling.goal ? "met" : "NOT MET");
            }
        }
        for (const CounterPair& pair : m_counterPairs) {
            const std::string suffix = ":" + pair.counter;
            for (const auto& [name, value] : m_counters) {
                if (name.rfind(pair.measured + "/", 0) != 0 || !name.ends_with(suffix)) {
                    continue;
                }
                const std::string size = name.substr(pair.measured.size());
                const auto baseline = m_counters.find(pair.baseline + size);
                if (baseline == m_counters.end() || baseline->second <= 0) {
                    continue;
                }
                const double ratio = value / baseline->second;
                std::printf("%-50s %-12s <=%4.1fx %9.2fx %10.3f %10.3f  %s\n",
                            name.substr(0, name.size() - suffix.size()).c_str(), pair.counter.c_str(),
                            pair.goal, ratio, value, baseline->second,
                            ratio <= pair.goal ? "met" : "NOT MET");
            }
        }
        std::fflush(stdout);
    }

private:
    struct Times {
        double wall;
        double cpu;
    };
    std::vector<Pair> m_pairs;
    std::vector<Ceiling> m_ceilings;
    std::vector<CounterPair> m_counterPairs;
    std::map<std::string, Times> m_times;
    std::map<std::string, double> m_counters;
};

/// The main of a list benchmark program: runs everything and prints the goal lines.
inline int RunWithRatios(int argc, char** argv, std::vector<RatioReporter::Pair> pairs,
                         std::vector<RatioReporter::Ceiling> ceilings = {},
                         std::vector<RatioReporter::CounterPair> counterPairs = {}) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(std::move(pairs), std::move(ceilings), std::move(counterPairs));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
