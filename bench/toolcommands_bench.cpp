// corvina-tool's commands on a list of a million items, each beside a plain read of its input and a
// flushed write of its output, the same bytes, in the same run.
#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <memory>

#include <nlohmann/json.hpp>

#include "BenchLists.h"
#include "RawFiles.h"
#include "tools/ListJson.h"
#include "tools/ToolCommands.h"

namespace {

using namespace bench;

constexpr std::int64_t kItems = 1000000;

// The million-item list as a list file and as JSON.
const std::u16string& ListFile() {
    static const std::u16string path = [] {
        CCorvinaDoc doc;
        FillList(doc, kItems);
        const std::u16string listPath = ScratchFile("List.crv");
        if (!doc.OnSaveDocument(listPath)) {
            std::abort();
        }
        RawWrite(ScratchFile("List.json"), FormatListAsJson(doc, u"List"), false);
        return listPath;
    }();
    return path;
}

// Standard output goes nowhere while a command that prints runs.
class QuietOutput {
public:
    QuietOutput() : m_saved(::dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::close(null);
    }
    ~QuietOutput() {
        std::fflush(stdout);
        ::dup2(m_saved, STDOUT_FILENO);
        ::close(m_saved);
    }
    QuietOutput(const QuietOutput&) = delete;
    QuietOutput& operator=(const QuietOutput&) = delete;

private:
    int m_saved;
};

struct ToolCase {
    std::string name;
    int (*run)(const ToolArguments&);
    std::vector<std::string> arguments;
    ArgumentRules rules;
    /// The file the command reads, the file it writes (empty when it only prints) and whether the
    /// command changes its input in place (which is then put back before each run).
    std::string input;
    std::string output;
    bool inPlace;
};

std::string Scratch(const std::string& name) {
    return (ScratchFolder() / name).string();
}

std::vector<ToolCase> Cases() {
    const std::string work = Scratch("Work.crv");
    const std::string list = Scratch("List.crv");
    return {
        {"uncheck", RunUncheck, {work}, {1, 1, {}, {}}, work, work, true},
        {"check", RunCheck, {work}, {1, 1, {}, {}}, work, work, true},
        {"purge-checked", RunPurgeChecked, {work}, {1, 1, {}, {}}, work, work, true},
        {"add",
         RunAdd,
         {work, "Bread", "--under", "Item 0000000"},
         {2, 2, {"--under"}, {}},
         work,
         work,
         true},
        {"copy",
         RunCopy,
         {list, Scratch("Copy.crv"), "--uncheck", "--force"},
         {2, 2, {}, {"--uncheck", "--force"}},
         list,
         Scratch("Copy.crv"),
         false},
        {"progress", RunProgress, {list}, {1, 1, {}, {}}, list, "", false},
        {"export-markdown",
         RunExport,
         {list, Scratch("List.md"), "--format", "markdown"},
         {2, 2, {"--format"}, {}},
         list,
         Scratch("List.md"),
         false},
        {"export-json",
         RunExport,
         {list, Scratch("Out.json"), "--format", "json"},
         {2, 2, {"--format"}, {}},
         list,
         Scratch("Out.json"),
         false},
        {"import-json",
         RunImport,
         {Scratch("List.json"), Scratch("Imported.crv")},
         {2, 2, {"--format"}, {}},
         Scratch("List.json"),
         Scratch("Imported.crv"),
         false},
    };
}

int RunCase(const ToolCase& tool) {
    const std::vector<std::string_view> words(tool.arguments.begin(), tool.arguments.end());
    const QuietOutput quiet;
    return tool.run(ToolArguments(words, tool.rules));
}

void BM_Tool(benchmark::State& state, const ToolCase& tool) {
    const std::string original = ReadAll(ListFile());
    for (auto _ : state) {
        if (tool.inPlace) {
            state.PauseTiming();
            RawWrite(Widen(tool.input), original, false);
            state.ResumeTiming();
        }
        if (RunCase(tool) != kExitSuccess) {
            state.SkipWithError("the command failed");
            return;
        }
    }
}

// The floor of the job: read the command's input and write, flushed, what it wrote.
void BM_Bytes(benchmark::State& state, const ToolCase& tool) {
    ListFile();
    if (tool.inPlace) {
        RawWrite(Widen(tool.input), ReadAll(ListFile()), false);
    }
    if (RunCase(tool) != kExitSuccess) {
        state.SkipWithError("the command failed");
        return;
    }
    const std::string output = tool.output.empty() ? std::string() : ReadAll(Widen(tool.output));
    const std::u16string input = tool.inPlace ? ListFile() : Widen(tool.input);
    const std::u16string target = ScratchFile("raw.out");
    std::vector<char> block(kRawBlock);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RawRead(input, block));
        if (!tool.output.empty()) {
            RawWrite(target, output, true);
        }
    }
}

// Takes every event of the JSON library's parse and keeps nothing.
class IgnoreEverything : public nlohmann::json_sax<nlohmann::json> {
public:
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }
};

// The JSON library's event parse of the import's input alone, already in memory, building nothing:
// the floor of any import that reads JSON with it.
void BM_LibraryParse(benchmark::State& state) {
    ListFile();
    const std::string json = ReadAll(ScratchFile("List.json"));
    for (auto _ : state) {
        IgnoreEverything events;
        if (!nlohmann::json::sax_parse(json, &events)) {
            state.SkipWithError("the JSON did not parse");
            return;
        }
    }
}

const bool kRegistered = [] {
    benchmark::RegisterBenchmark("BM_LibraryParse_import-json", BM_LibraryParse)
        ->Arg(kItems)
        ->Unit(benchmark::kMillisecond);
    for (const ToolCase& tool : Cases()) {
        benchmark::RegisterBenchmark(("BM_Bytes_" + tool.name).c_str(), BM_Bytes, tool)
            ->Arg(kItems)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Tool_" + tool.name).c_str(), BM_Tool, tool)
            ->Arg(kItems)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace

int main(int argc, char** argv) {
    std::vector<RatioReporter::Pair> pairs;
    for (const ToolCase& tool : Cases()) {
        // Held in the time a shell waits for the command: most of the baseline's write is the disk's
        // flush, which processor time leaves out. Both ratios are printed.
        pairs.push_back({"BM_Tool_" + tool.name, "BM_Bytes_" + tool.name, 4.0});
    }
    pairs.push_back({"BM_Tool_import-json", "BM_LibraryParse_import-json", 4.0});
    return RunWithRatios(argc, argv, pairs);
}
