// Benchmarks of the check-tree control from 10 to 100,000 rows: a full relayout, one RedrawItem and
// one scroll step (a tick of the down arrow), each beside a baseline from the same run (measuring
// the same titles once each with the row font), plus the memory a row costs beyond its texts. The
// relayouts run on titles of three kinds: words of a vocabulary of 30, of 50,000, and titles that
// each have a word no other title has.
// After the runs it prints the ratios the control is held to.
#include "ScreenBenchMain.h"
#include "platform/core/PoolChunks.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/Wnd.h"
#include "support/RowFont.h"
#include "treectrl/VisualTreeCtrl.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kTreeId = 1012;
constexpr UINT_PTR kUpArrowTimer = 109;
constexpr UINT_PTR kDownArrowTimer = 110;
const CRect kTreeRect(0, 0, 240, 320);
/// A view so short that ten rows already scroll, to compare a scroll step at 10 and 100,000 rows.
const CRect kShortTreeRect(0, 0, 240, 100);

/// The words today's titles are made of: a list's titles repeat their words, as real lists do.
constexpr const char16_t* kVocabulary[] = {
    u"Milk",  u"bread",  u"eggs",   u"for",    u"the",      u"weekend", u"two",   u"packs",
    u"of",    u"butter", u"fresh",  u"apples", u"call",     u"plumber", u"about", u"kitchen",
    u"tap",   u"buy",    u"stamps", u"tent",   u"pegs",     u"rope",    u"stove", u"gas",
    u"check", u"seals",  u"garden", u"water",  u"tomatoes", u"hedge"};
constexpr std::size_t kVocabularySize = sizeof(kVocabulary) / sizeof(kVocabulary[0]);

/// The kinds of titles a control is filled with, the benchmarks' second argument.
enum TitleKind : long {
    kThirtyWords = 0,   ///< words of the 30 above, and the row's number
    kBigVocabulary = 1, ///< words of a vocabulary of 50,000, as a long-kept list of a whole household
    kOwnWord = 2,       ///< words of the 30 above, and a made-up word no other title has
};
constexpr long kTitleKinds[] = {kThirtyWords, kBigVocabulary, kOwnWord};
constexpr const char* kTitleKindNames[] = {"30 words", "50,000 words", "a word of its own"};
constexpr std::size_t kBigVocabularySize = 50000;

/// A made-up word for `number`: its digits in base 105 spelt as syllables of a consonant and a
/// vowel (plus a final letter), so different numbers give different words of 2 to 9 letters.
std::u16string MadeUpWord(std::size_t number) {
    constexpr std::u16string_view kConsonants = u"bcdfghjklmnpqrstvwxyz";
    constexpr std::u16string_view kVowels = u"aeiou";
    const std::size_t syllables = kConsonants.size() * kVowels.size();
    std::u16string word;
    do {
        const std::size_t syllable = number % syllables;
        word += kConsonants[syllable / kVowels.size()];
        word += kVowels[syllable % kVowels.size()];
        number /= syllables;
    } while (number > 0);
    word += u"nrst"[word.size() % 4];
    return word;
}

/// The vocabulary of 50,000 words, made once.
const std::vector<std::u16string>& BigVocabulary() {
    static const std::vector<std::u16string> words = [] {
        std::vector<std::u16string> made;
        made.reserve(kBigVocabularySize);
        for (std::size_t i = 0; i < kBigVocabularySize; ++i) {
            // Spread over the numbers, so the words are not all short.
            made.push_back(MadeUpWord(i * 7919 + 104729));
        }
        return made;
    }();
    return words;
}

/// A deterministic title of 2 to 9 words of its kind, with the row's number (or its own word).
std::u16string TitleFor(std::size_t row, long kind = kThirtyWords) {
    std::u16string title;
    std::size_t state = row * 2654435761u + 12345u;
    const std::size_t words = 2 + state % 8;
    for (std::size_t w = 0; w < words; ++w) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        if (kind == kBigVocabulary) {
            title += BigVocabulary()[(state >> 33) % kBigVocabularySize];
        } else {
            title += kVocabulary[(state >> 33) % kVocabularySize];
        }
        title += u' ';
    }
    if (kind == kOwnWord) {
        // Beyond the big vocabulary's numbers, so no title's own word is another's.
        title += MadeUpWord(row + 1000000000);
        return title;
    }
    for (char c : std::to_string(row)) {
        title += static_cast<char16_t>(c);
    }
    return title;
}

/// The control with what the benchmarks drive. The benchmark program never runs an event loop, so
/// its window is never exposed and the platform's immediate repaints do nothing; each step therefore
/// paints explicitly into a window-sized memory surface, running exactly the control's own paint.
class BenchTreeCtrl : public CVisualTreeCtrl {
public:
    using CVisualTreeCtrl::ForgetMeasurements;

    /// Runs the control's paint handler into a surface the size of the window.
    void PaintNow() {
        if (!m_screen.IsValid()) {
            CRect client;
            GetClientRect(&client);
            m_screenBitmap.CreateBitmap(client.Width(), client.Height());
            m_screen.CreateCompatibleDC(nullptr);
            m_screen.SelectObject(&m_screenBitmap);
        }
        OnPaint(m_screen);
    }
    /// A full relayout, every row placed down to the last: after every title was forgotten, or after
    /// a structural change (a row moved). Only the layout runs; rendering the rows in view is what
    /// the other benchmarks measure.
    void Relayout(bool remeasure) {
        if (remeasure) {
            ForgetMeasurements();
        } else {
            MoveItemDown(GetFirstItem());
        }
        RecalcLayout();
        PlaceAllRows();
    }
    /// One tick of an arrow's repeat timer, as the held arrow gets every 70 milliseconds.
    void ArrowTick(bool down) {
        OnTimer(down ? kDownArrowTimer : kUpArrowTimer);
        PaintNow();
    }
    /// Re-renders one row and composes the window, as a check change does.
    void Redraw(VisualNode* row) {
        RedrawItem(row);
        PaintNow();
    }

private:
    CDC m_screen; // stands in for the window's paint context
    CBitmap m_screenBitmap;
};

/// A window with a control of `rows` rows, shown and painted once.
struct Fixture {
    CWnd parent;
    BenchTreeCtrl tree;
    std::vector<BYTE> checked; // the owner's checked flags, one per row to be added
    std::vector<VisualNode*> nodes;

    long kind = kThirtyWords; // the titles the rows get

    /// A control with `rows` rows; room for the flags of `capacity` rows in all (at least `rows`).
    explicit Fixture(std::size_t rows, const CRect& rect = kTreeRect, std::size_t capacity = 0,
                     long titles = kThirtyWords)
        : checked(std::max(rows, capacity), 0), kind(titles) {
        nodes.reserve(checked.size());
        RegisterWindowClass(u"BenchParent");
        parent.Create(u"BenchParent", u"", WS_VISIBLE, rect, nullptr, 0);
        tree.Create(std::u16string(CVisualTreeCtrl::kClassName), u"Tasks", WS_CHILD | WS_VISIBLE, rect,
                    &parent, kTreeId);
        tree.AddColumn();
        tree.PaintNow(); // the first paint creates the surfaces
        Fill(rows);
    }

    /// Adds rows as the editor does (every fifth a top-level row, the others its sub-rows; every
    /// seventh with notes) and paints once.
    void Fill(std::size_t rows) {
        tree.ReserveRows(rows);
        for (std::size_t i = 0; i < rows; ++i) {
            VisualNode* parentRow = (i % 5 != 0 && !nodes.empty()) ? nodes[nodes.size() - i % 5] : nullptr;
            VisualNode* node = tree.InsertItem(TitleFor(i, kind), 1, 1, parentRow, &checked.at(nodes.size()));
            tree.SetItemColumnText(node, 0, u"1");
            if (i % 7 == 0) {
                tree.SetItemNotes(node, u"notes");
            }
            nodes.push_back(node);
        }
        tree.PaintNow();
    }
    ~Fixture() {
        tree.DestroyWindow();
        parent.DestroyWindow();
    }
};

/// Baseline: measure every title once, as one line, with the row font.
void BM_MeasureTitlesOnce(benchmark::State& state) {
    const auto rows = static_cast<std::size_t>(state.range(0));
    std::vector<std::u16string> titles;
    for (std::size_t i = 0; i < rows; ++i) {
        titles.push_back(TitleFor(i, state.range(1)));
    }
    const RowFontSurface rowFont;
    for (auto _ : state) {
        long total = 0;
        for (const auto& title : titles) {
            total += rowFont.Measure(title).cx;
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(rows));
}

/// A full relayout after every title was forgotten: each is measured and wrapped again.
void BM_RelayoutRemeasured(benchmark::State& state) {
    Fixture f(static_cast<std::size_t>(state.range(0)), kTreeRect, 0, state.range(1));
    for (auto _ : state) {
        f.tree.Relayout(true);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// A full relayout after a structural change (titles already measured).
void BM_RelayoutStructural(benchmark::State& state) {
    Fixture f(static_cast<std::size_t>(state.range(0)), kTreeRect, 0, state.range(1));
    for (auto _ : state) {
        f.tree.Relayout(false);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// One RedrawItem of a row in view (a check change re-renders just that row).
void BM_RedrawItem(benchmark::State& state) {
    Fixture f(static_cast<std::size_t>(state.range(0)));
    VisualNode* row = f.tree.GetShownRows().at(3);
    for (auto _ : state) {
        f.tree.Redraw(row);
    }
}

/// One tick of a held arrow: 10 pixels of scrolling, painted at once. The list is scrolled down to
/// its end, then up to its start, and so on; with everything in view the tick only repaints.
void ScrollSteps(benchmark::State& state, const CRect& rect) {
    Fixture f(static_cast<std::size_t>(state.range(0)), rect);
    const std::int32_t last = f.tree.GetContentRect().Height() - f.tree.GetViewRect().Height();
    bool down = true;
    for (auto _ : state) {
        if (down && f.tree.GetScrollOffset() >= last) {
            down = false;
        } else if (!down && f.tree.GetScrollOffset() <= 0) {
            down = true;
        }
        f.tree.ArrowTick(down);
    }
}

void BM_ScrollStep(benchmark::State& state) {
    ScrollSteps(state, kTreeRect);
}
void BM_ScrollStepShortView(benchmark::State& state) {
    ScrollSteps(state, kShortTreeRect);
}

/// Bytes the allocator has handed out, large blocks it maps on their own included, and the huge-page
/// chunks the tree's pool maps for itself.
std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd + MappedChunkBytes();
}

/// Heap bytes a row costs beyond its texts' characters, and in all.
void BM_MemoryPerRow(benchmark::State& state) {
    const auto rows = static_cast<std::size_t>(state.range(0));
    double beyondTexts = 0;
    double gross = 0;
    for (auto _ : state) {
        auto f = std::make_unique<Fixture>(0, kTreeRect, rows);
        // Titles are made before measuring: they are the owner's, and the control copies them.
        const std::size_t before = HeapInUse();
        f->Fill(rows);
        const std::size_t after = HeapInUse();
        // Only the texts' own characters are the texts: whatever holds them (a string's object or
        // header, a block's overhead, a container of cells) is the row's.
        const auto textBytes = [](std::u16string_view s) { return s.size() * sizeof(char16_t); };
        std::size_t texts = 0;
        for (VisualNode* node : f->nodes) {
            texts += textBytes(node->item.text) + textBytes(node->item.notes);
            for (std::size_t cell = 0; cell < node->item.columnTexts.size(); ++cell) {
                texts += textBytes(node->item.columnTexts[cell]);
            }
        }
        gross = static_cast<double>(after - before) / static_cast<double>(rows);
        beyondTexts =
            (static_cast<double>(after - before) - static_cast<double>(texts)) / static_cast<double>(rows);
        benchmark::DoNotOptimize(f);
    }
    state.counters["bytes_per_row_beyond_texts"] = beyondTexts;
    state.counters["bytes_per_row_in_all"] = gross;
    state.counters["sizeof_node"] = static_cast<double>(sizeof(VisualNode));
}

constexpr long kRowCounts[] = {10, 100, 1000, 10000, 100000};
/// The most heap a row may take beyond its texts' characters.
constexpr double kRowBytesGoal = 128;

void RowCounts(benchmark::internal::Benchmark* b) {
    for (long rows : kRowCounts) {
        b->Arg(rows);
    }
    b->Unit(benchmark::kMicrosecond);
}

/// Every row count with every kind of titles.
void RowCountsAndTitles(benchmark::internal::Benchmark* b) {
    for (long kind : kTitleKinds) {
        for (long rows : kRowCounts) {
            b->Args({rows, kind});
        }
    }
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_MeasureTitlesOnce)->Apply(RowCountsAndTitles);
BENCHMARK(BM_RelayoutRemeasured)->Apply(RowCountsAndTitles);
BENCHMARK(BM_RelayoutStructural)->Apply(RowCountsAndTitles);
BENCHMARK(BM_RedrawItem)->Apply(RowCounts);
BENCHMARK(BM_ScrollStep)->Apply(RowCounts);
BENCHMARK(BM_ScrollStepShortView)->Apply(RowCounts);
BENCHMARK(BM_MemoryPerRow)->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

/// Keeps every run's time per iteration, so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                times[run.benchmark_name()] = run.GetAdjustedCPUTime();
                for (const auto& [name, counter] : run.counters) {
                    counters[run.benchmark_name() + ":" + name] = counter.value;
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        std::printf(
            "\nRatios of CPU times (goals: relayout <= 3x baseline, scroll step at 100000 <= 1.5x at 10, "
            "<= 128 bytes per row beyond texts)\n");
        for (long kind : kTitleKinds) {
            std::printf("  titles of %s:\n", kTitleKindNames[kind]);
            for (long rows : kRowCounts) {
                const std::string arg = "/" + std::to_string(rows) + "/" + std::to_string(kind);
                const double baseline = Time("BM_MeasureTitlesOnce" + arg);
                std::printf(
                    "  %6ld rows: relayout remeasured / baseline = %.2f, structural relayout / baseline = "
                    "%.3f (baseline %.1f us)\n",
                    rows, Time("BM_RelayoutRemeasured" + arg) / baseline,
                    Time("BM_RelayoutStructural" + arg) / baseline, baseline);
            }
        }
        std::printf("  scroll step 100000 rows / 10 rows = %.2f (10 rows fit in the view: nothing scrolls)\n",
                    Time("BM_ScrollStep/100000") / Time("BM_ScrollStep/10"));
        std::printf("  scroll step 100000 rows / 100 rows = %.2f\n",
                    Time("BM_ScrollStep/100000") / Time("BM_ScrollStep/100"));
        std::printf("  scroll step in a 100-pixel view, 100000 rows / 10 rows = %.2f\n",
                    Time("BM_ScrollStepShortView/100000") / Time("BM_ScrollStepShortView/10"));
        std::printf("  RedrawItem 100000 rows / 10 rows = %.2f\n",
                    Time("BM_RedrawItem/100000") / Time("BM_RedrawItem/10"));
        for (const auto& [name, value] : counters) {
            std::printf("  %s = %.1f\n", name.c_str(), value);
        }
        for (long rows : {10000L, 100000L}) {
            const auto found = counters.find("BM_MemoryPerRow/" + std::to_string(rows) +
                                             "/iterations:1:bytes_per_row_beyond_texts");
            if (found != counters.end()) {
                std::printf("  memory per row beyond texts at %ld rows: %.1f bytes, goal <= %.0f: %s\n", rows,
                            found->second, kRowBytesGoal, found->second <= kRowBytesGoal ? "met" : "NOT MET");
            }
        }
    }

private:
    double Time(const std::string& name) const {
        const auto found = times.find(name);
        return found == times.end() ? 0.0 : found->second;
    }
    std::map<std::string, double> times;
    std::map<std::string, double> counters;
};

} // namespace

int main(int argc, char** argv) {
    return RunScreenBenchmarks(argc, argv, u"treectrl_bench", [] {
        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        reporter.PrintRatios();
    });
}
