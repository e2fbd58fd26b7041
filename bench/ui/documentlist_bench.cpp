// Benchmarks of the document list's work a user waits for, each beside a baseline from the same run:
// opening a list of 100,000 items from the list (load, the editor's rows filled, the first paint)
// against loading the same file into a document alone; a Refresh of a Lists folder of 1,000 small
// lists against reading their headers alone; and the first screen over 10,000 lists against a plain
// C loop that lists the folder, asks each file's status and reads its 12 header bytes, as is the
// same screen with every row read. After the runs it prints the ratios.
#include "../BenchLists.h"

#include "editor/ListEditorDlg.h"
#include "model/ListFileHeader.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/testing/UiTest.h"
#include "res/ResourceIds.h"
#include "shell/ListFilesDlg.h"
#include "shell/ListFolderListing.h"

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace {

constexpr std::int64_t kBigListItems = 100000;
constexpr std::int64_t kSmallLists = 1000;
constexpr std::int64_t kSmallListItems = 5;
constexpr std::int64_t kManyLists = 10000;
constexpr double kOpenGoal = 2.5;
constexpr double kRefreshGoal = 2.0;
/// The first screen over many lists: microseconds a file, and about twice the plain C loop.
constexpr double kFirstScreenMicrosecondsGoal = 6.0;
constexpr double kFirstScreenGoal = 2.0;
/// Every row read, the first screen's and the rest while it waits: no dearer than the first screen
/// was when it read them all.
constexpr double kAllRowsGoal = 2.0;
constexpr std::size_t kHeaderBytes = 12;

/// The device's Lists folder of one benchmark, under the scratch folder's device root.
std::u16string ListsFolder(const std::string& name) {
    return u"\\" + Widen(name) + u"\\";
}

/// Makes a Lists folder holding `lists` lists of `items` items each, named List0.crv, List1.crv, ...
void MakeListsFolder(const DeviceStorage& device, const std::u16string& folder, std::int64_t lists,
                     std::int64_t items) {
    std::filesystem::create_directories(device.HostPathOf(folder));
    CCorvinaDoc doc;
    doc.SetHostPathMapping(device.PathMapping());
    bench::FillList(doc, items);
    for (std::int64_t i = 0; i < lists; ++i) {
        if (!doc.OnSaveDocument(folder + u"List" + Widen(std::to_string(i)) + u".crv")) {
            std::abort();
        }
    }
}

/// Makes a Lists folder holding `lists` copies of one list of `items` items: the same bytes as
/// saving each, without a safe save's flush per file.
void CopyListsFolder(const DeviceStorage& device, const std::u16string& folder, std::int64_t lists,
                     std::int64_t items) {
    MakeListsFolder(device, folder, 1, items);
    const std::filesystem::path host = device.HostPathOf(folder);
    for (std::int64_t i = 1; i < lists; ++i) {
        std::filesystem::copy_file(host / "List0.crv", host / ("List" + std::to_string(i) + ".crv"));
    }
}

/// Runs `body` inside a running document list screen over `folder`, as the program runs its commands.
void WithDocumentList(const DeviceStorage& device, const std::u16string& folder,
                      const std::function<void(CListFilesDlg&)>& body) {
    CListFolderListing listing(device, folder, u"*.crv");
    CListFilesDlg screen(listing);
    uitest::RunModal(screen, [&] { body(screen); });
}

void BM_LoadDocument(benchmark::State& state, const DeviceStorage& device) {
    const std::u16string folder = ListsFolder("open");
    const std::u16string path = folder + u"List0.crv";
    for (auto _ : state) {
        CCorvinaDoc doc;
        doc.SetHostPathMapping(device.PathMapping());
        doc.OnOpenDocument(path);
        benchmark::DoNotOptimize(doc.tree);
    }
}

/// Open as a user gives it: the row selected, the Open command, the editor's first paint, then Close.
void BM_OpenFromDocumentList(benchmark::State& state, const DeviceStorage& device) {
    WithDocumentList(device, ListsFolder("open"), [&](CListFilesDlg& screen) {
        screen.GetListCtrl().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        for (auto _ : state) {
            uitest::WhenScreenRuns([](CDialog& top) {
                if (auto* editor = dynamic_cast<CListEditorDlg*>(&top)) {
                    uitest::Grab(editor->GetTreeCtrl());
                    editor->SendCommand(ID_FILE_CLOSE);
                }
            });
            screen.SendCommand(ID_FILE_OPEN);
            state.PauseTiming();
            screen.GetListCtrl().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
            bench::SettleAllocator();
            state.ResumeTiming();
        }
    });
}

void BM_ReadHeaders(benchmark::State& state, const DeviceStorage& device) {
    const std::u16string folder = ListsFolder("refresh");
    std::vector<std::u16string> paths;
    for (std::int64_t i = 0; i < kSmallLists; ++i) {
        paths.push_back(folder + u"List" + Widen(std::to_string(i)) + u".crv");
    }
    for (auto _ : state) {
        std::uint64_t items = 0;
        for (const std::u16string& path : paths) {
            items += ReadListFileHeader(device.HostPathOf(path), path).itemCount;
        }
        benchmark::DoNotOptimize(items);
    }
}

void BM_Refresh(benchmark::State& state, const DeviceStorage& device) {
    WithDocumentList(device, ListsFolder("refresh"), [&](CListFilesDlg& screen) {
        for (auto _ : state) {
            screen.SendCommand(ID_VIEW_REFRESH);
        }
    });
}

/// The floor of the first screen: the folder listed, each file's status asked and its header read,
/// in plain C.
void BM_CLoopHeaders(benchmark::State& state, const DeviceStorage& device) {
    const std::string folder = device.HostPathOf(ListsFolder("many"));
    for (auto _ : state) {
        std::uint64_t headerBytes = 0;
        DIR* const listing = ::opendir(folder.c_str());
        while (const dirent* entry = ::readdir(listing)) {
            const std::string path = folder + "/" + entry->d_name;
            struct stat info {};
            if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
                continue;
            }
            char header[kHeaderBytes];
            const int file = ::open(path.c_str(), O_RDONLY);
            headerBytes += static_cast<std::uint64_t>(::read(file, header, sizeof(header)));
            ::close(file);
        }
        ::closedir(listing);
        benchmark::DoNotOptimize(headerBytes);
    }
    state.counters["us_per_file"] =
        benchmark::Counter(static_cast<double>(state.range(0)) * 1e-6,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

/// The program's first screen: the document list set up over the folder, its rows filled and painted.
void BM_FirstScreen(benchmark::State& state, const DeviceStorage& device) {
    const std::u16string folder = ListsFolder("many");
    for (auto _ : state) {
        WithDocumentList(device, folder, [](CListFilesDlg& screen) { uitest::Grab(screen.GetListCtrl()); });
    }
    state.counters["us_per_file"] =
        benchmark::Counter(static_cast<double>(state.range(0)) * 1e-6,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

/// The first screen and then every other row read while it waits: the whole folder's dates and
/// headers, as the first screen read them all before it showed.
void BM_AllRowsRead(benchmark::State& state, const DeviceStorage& device) {
    for (auto _ : state) {
        CListFolderListing listing(device, ListsFolder("many"), u"*.crv");
        CListFilesDlg screen(listing);
        uitest::RunModal(screen, [&] {
            uitest::Grab(screen.GetListCtrl());
            while (!listing.AllDetailsRead()) {
                uitest::ProcessEvents();
            }
        });
    }
    state.counters["us_per_file"] =
        benchmark::Counter(static_cast<double>(state.range(0)) * 1e-6,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

/// Registers the benchmarks, each working in `device`, which outlives them.
void RegisterBenchmarks(const DeviceStorage& device) {
    using Function = void (*)(benchmark::State&, const DeviceStorage&);
    const auto add = [&device](const char* name, Function function, std::int64_t size) {
        benchmark::RegisterBenchmark(name, function, std::cref(device))
            ->Arg(size)
            ->Unit(benchmark::kMillisecond);
    };
    add("BM_LoadDocument", BM_LoadDocument, kBigListItems);
    add("BM_OpenFromDocumentList", BM_OpenFromDocumentList, kBigListItems);
    add("BM_ReadHeaders", BM_ReadHeaders, kSmallLists);
    add("BM_Refresh", BM_Refresh, kSmallLists);
    add("BM_CLoopHeaders", BM_CLoopHeaders, kManyLists);
    add("BM_FirstScreen", BM_FirstScreen, kManyLists);
    add("BM_AllRowsRead", BM_AllRowsRead, kManyLists);
}

/// Runs the benchmarks once the window system and the device window exist.
class BenchApp : public CWinApp {
public:
    BenchApp() : CWinApp(u"documentlist_bench") {}
    bool InitInstance() override {
        bench::RatioReporter reporter({{"BM_OpenFromDocumentList", "BM_LoadDocument", kOpenGoal},
                                       {"BM_Refresh", "BM_ReadHeaders", kRefreshGoal},
                                       {"BM_FirstScreen", "BM_CLoopHeaders", kFirstScreenGoal},
                                       {"BM_AllRowsRead", "BM_CLoopHeaders", kAllRowsGoal}},
                                      {{"BM_FirstScreen", "us_per_file", kFirstScreenMicrosecondsGoal}});
        benchmark::RunSpecifiedBenchmarks(&reporter);
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // The lists live on a device of the benchmark's own, opened by device path as the program does.
    const DeviceStorage device({Widen((bench::ScratchFolder() / "device").string()), {}});
    InstallProgramResources();
    MakeListsFolder(device, ListsFolder("open"), 1, kBigListItems);
    MakeListsFolder(device, ListsFolder("refresh"), kSmallLists, kSmallListItems);
    CopyListsFolder(device, ListsFolder("many"), kManyLists, kSmallListItems);
    RegisterBenchmarks(device);
    benchmark::Initialize(&argc, argv);
    BenchApp app;
    return app.Run(argc, argv);
}
