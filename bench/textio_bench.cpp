// Text export against a flushed write of the same text; import, and its parsing alone, against a plain
// read of the text in 64 KiB blocks.
#include <memory>

#include "BenchLists.h"
#include "RawFiles.h"
#include "textio/DocumentText.h"
#include "textio/TextFile.h"

namespace {

using namespace bench;

struct ExportedText {
    std::u16string path;
    std::string bytes;
};

const ExportedText& TextOf(std::int64_t count) {
    static std::map<std::int64_t, ExportedText> texts;
    auto found = texts.find(count);
    if (found != texts.end()) {
        return found->second;
    }
    ExportedText text{ScratchFile("list-" + std::to_string(count) + ".txt"), {}};
    TextFile out(text.path, "w");
    ExportText(ListOf(count), out);
    if (!out.Close()) {
        std::abort();
    }
    text.bytes = ReadAll(text.path);
    return texts.emplace(count, std::move(text)).first->second;
}

void BM_RawWriteText(benchmark::State& state) {
    const std::string& bytes = TextOf(state.range(0)).bytes;
    const std::u16string path = ScratchFile("raw.txt");
    for (auto _ : state) {
        RawWrite(path, bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_Export(benchmark::State& state) {
    const CCorvinaDoc& doc = ListOf(state.range(0));
    const std::u16string path = ScratchFile("exported.txt");
    for (auto _ : state) {
        TextFile out(path, "w");
        ExportText(doc, out);
        if (!out.Close()) {
            state.SkipWithError("export failed");
            break;
        }
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * TextOf(state.range(0)).bytes.size()));
}

void BM_RawReadText(benchmark::State& state) {
    const ExportedText& text = TextOf(state.range(0));
    std::vector<char> buffer(kRawBlock);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RawRead(text.path, buffer));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.bytes.size()));
}

void BM_Import(benchmark::State& state) {
    const ExportedText& text = TextOf(state.range(0));
    for (auto _ : state) {
        auto doc = std::make_unique<CCorvinaDoc>();
        TextFile in(text.path, "r");
        ImportText(*doc, in);
        in.Close();
        state.PauseTiming();
        if (doc->tree.Count() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("import lost items");
        }
        doc.reset();
        SettleAllocator();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.bytes.size()));
}

// Reading every record with no tree: what scanning and decoding cost on their own.
void BM_ImportParseOnly(benchmark::State& state) {
    const ExportedText& text = TextOf(state.range(0));
    for (auto _ : state) {
        TextFile in(text.path, "r");
        TaskItem item;
        TextArena texts;
        std::uint32_t depth = 0;
        std::size_t records = 0;
        while (in.ReadItem(depth, item, texts)) {
            ++records;
        }
        in.Close();
        if (records != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("parsing lost records");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.bytes.size()));
}

BENCHMARK(BM_RawWriteText)->Apply(ForEachSize);
BENCHMARK(BM_Export)->Apply(ForEachSize);
BENCHMARK(BM_RawReadText)->Apply(ForEachSize);
BENCHMARK(BM_Import)->Apply(ForEachSize);
BENCHMARK(BM_ImportParseOnly)->Apply(ForEachSize);

} // namespace

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv,
                         {{"BM_Export", "BM_RawWriteText", 4.0, true},
                          {"BM_Import", "BM_RawReadText", 8.0},
                          {"BM_ImportParseOnly", "BM_RawReadText", 8.0}});
}
