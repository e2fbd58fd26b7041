// List file benchmarks: save against a flushed write of the same bytes, load against a plain read of
// them in 64 KiB blocks, header reads of many small files, and the memory a loaded item takes.
#include <algorithm>
#include <memory>

#include "BenchLists.h"
#include "RawFiles.h"
#include "platform/core/Archive.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/File.h"

namespace {

using namespace bench;

constexpr int kSmallListFiles = 10000;
constexpr int kItemsPerSmallList = 5;

/// A saved list of each size: its path and its bytes.
struct SavedList {
    std::u16string path;
    std::string bytes;
};

const SavedList& SavedListOf(std::int64_t count) {
    static std::map<std::int64_t, SavedList> lists;
    auto found = lists.find(count);
    if (found != lists.end()) {
        return found->second;
    }
    CCorvinaDoc doc;
    FillList(doc, count);
    SavedList saved{ScratchFile("list-" + std::to_string(count) + ".crv"), {}};
    if (!doc.OnSaveDocument(saved.path)) {
        std::abort();
    }
    saved.bytes = ReadAll(saved.path);
    return lists.emplace(count, std::move(saved)).first->second;
}

void BM_RawWrite(benchmark::State& state) {
    const std::string& bytes = SavedListOf(state.range(0)).bytes;
    const std::u16string path = ScratchFile("raw.crv");
    for (auto _ : state) {
        RawWrite(path, bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_Save(benchmark::State& state) {
    CCorvinaDoc& doc = const_cast<CCorvinaDoc&>(ListOf(state.range(0)));
    const std::u16string path = ScratchFile("saved.crv");
    for (auto _ : state) {
        if (!doc.OnSaveDocument(path)) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * SavedListOf(state.range(0)).bytes.size()));
}

void BM_RawRead(benchmark::State& state) {
    const SavedList& saved = SavedListOf(state.range(0));
    std::vector<char> buffer(kRawBlock);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RawRead(saved.path, buffer));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * saved.bytes.size()));
}

void BM_Load(benchmark::State& state) {
    const SavedList& saved = SavedListOf(state.range(0));
    const double items = static_cast<double>(state.range(0));
    {
        // Memory once, outside the timing: asking the allocator is slow.
        const std::uint64_t before = HeapInUse();
        CCorvinaDoc doc;
        doc.OnOpenDocument(saved.path);
        const std::uint64_t used = HeapInUse() - before;
        state.counters["heap_B/item_beyond_text"] = static_cast<double>(used - TextBytesOf(doc)) / items;
    }
    for (auto _ : state) {
        auto doc = std::make_unique<CCorvinaDoc>();
        if (!doc->OnOpenDocument(saved.path)) {
            state.SkipWithError("load failed");
            break;
        }
        state.PauseTiming();
        doc.reset();
        SettleAllocator();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * saved.bytes.size()));
}

/// Ten thousand small list files, as a Lists folder might hold.
const std::vector<std::u16string>& SmallListFiles() {
    static const std::vector<std::u16string> paths = [] {
        CCorvinaDoc doc;
        FillList(doc, kItemsPerSmallList);
        std::vector<std::u16string> made;
        for (int i = 0; i < kSmallListFiles; ++i) {
            made.push_back(ScratchFile("small-" + std::to_string(i) + ".crv"));
            if (!doc.OnSaveDocument(made.back())) {
                std::abort();
            }
        }
        return made;
    }();
    return paths;
}

void BM_RawReadSmallFiles(benchmark::State& state) {
    const auto& paths = SmallListFiles();
    std::vector<char> buffer(CDocument::kArchiveBufferSize);
    for (auto _ : state) {
        for (const std::u16string& path : paths) {
            benchmark::DoNotOptimize(RawRead(path, buffer));
        }
    }
}

void BM_ReadHeaderSmallFiles(benchmark::State& state) {
    const auto& paths = SmallListFiles();
    std::uint64_t total = 0;
    for (auto _ : state) {
        for (const std::u16string& path : paths) {
            CCorvinaDoc doc;
            CFile file;
            file.OpenOrThrow(path, CFile::modeRead | CFile::shareDenyWrite);
            CArchive archive(&file, CArchive::load, CDocument::kArchiveBufferSize);
            total += doc.ReadHeader(archive);
            archive.Close();
            file.Close();
        }
    }
    benchmark::DoNotOptimize(total);
}

BENCHMARK(BM_RawWrite)->Apply(ForEachSize);
BENCHMARK(BM_Save)->Apply(ForEachSize);
BENCHMARK(BM_RawRead)->Apply(ForEachSize);
BENCHMARK(BM_Load)->Apply(ForEachSize);
BENCHMARK(BM_RawReadSmallFiles)->Arg(kSmallListFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadHeaderSmallFiles)->Arg(kSmallListFiles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv,
                         {{"BM_Load", "BM_RawRead", 8.0},
                          {"BM_Save", "BM_RawWrite", 4.0, true},
                          {"BM_ReadHeaderSmallFiles", "BM_RawReadSmallFiles", 8.0}},
                         {{"BM_Load", "heap_B/item_beyond_text", 80.0}});
}
