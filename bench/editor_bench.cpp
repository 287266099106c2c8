// The editor on the Qt backend (offscreen platform): start-up to a shown
// main window, and opening a generated data file through the main window,
// against the format command on the same file as the yardstick.
//
//   BM_StartUp               the main dialog made (rule table, settings),
//                            shown, and its first-show message handled with
//                            no file to open
//   BM_OpenInMainWindow/N    the same with items-N.cgi on the command line:
//                            read, parse, the project page counts, the first
//                            page shown
//   BM_FormatCommand/N       "tavaro format -o OUT items-N.cgi" in-process:
//                            read, parse, write, save
//   BM_ItemPageFill/N        the item page, with items-N.cgi open, shows the
//                            document anew: the list refilled with every
//                            item's name and the shown item shown again
//   BM_ItemPageSwitch/N      the item page shows another item, as a click
//                            in its list does: the shown item applied, the
//                            next one copied and shown (time per switch)
//   BM_ItemSort/N/K          the items sorted by key K (2 name, 5 type) as
//                            the sort dialog's OK does, and the item page
//                            showing them anew
//   BM_EventPageFill/N,      the same for the event page on a file with
//   BM_EventPageSwitch/N     10,000 items and N events
//   BM_ListFilter/N          one keystroke in the item list's filter box,
//                            the filter alone: the items whose "no", "code"
//                            or "name" hold the text, found anew
//   BM_ItemPageFilter/N      the same keystroke through the item page: the
//                            box's text changed, the list refilled
//
// The files are items-N.cgi and items-10000-events-N.cgi of
// bench/data_gen/gen-item-data.pl in the folder given by --data_dir=DIR
// (run_editor_bench.sh makes them) with a
// project-information block put in front (items-N-project.cgi, made here),
// so that the main window asks nothing. Times are CPU seconds of the
// measured part (manual timing); wall_ms is the wall-clock mean.
// Counters of BM_StartUp for the first start in this process, which alone
// pays for loading the platform plugin, fonts and styles: qt_start_ms (CPU)
// for the application object, first_start_ms and first_start_wall_ms for
// the first main window after it, until shown.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <QTimer>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>

#include "data_dir_arg.h"
#include "shell/main_dlg.h"
#include "cli/project_command.h"
#include "editing/list_filter.h"
#include "pages/page_item_template.h"
#include "foundation/cp932.h"
#include "foundation/native_path.h"
#include "editing/item_sort.h"
#include "ui/qt/qt_backend.h"
#include "ui/ui_backend.h"

namespace {

std::string g_dataDir = ".";
std::string g_scratch;
double g_qtStartMs = 0;
double g_firstStartMs = 0;
double g_firstStartWallMs = 0;

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double WallSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// STEM.cgi of the data folder with a project-information block in front;
// empty when the data file is missing.
std::string ProjectFile(const std::string& stem)
{
    const std::string data = g_dataDir + "/" + stem + ".cgi";
    const std::string project = g_dataDir + "/" + stem + "-project.cgi";
    if (!std::filesystem::exists(data))
        return {};
    if (!std::filesystem::exists(project)) {
        std::ifstream in(data, std::ios::binary);
        std::ofstream out(project + ".tmp", std::ios::binary);
        out << Utf8ToCp932("###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください\r\n"
                           "###MERX_PROJECT_INFO_BEGIN\r\n"
                           "###RuleKey=標準 ベータ版(040318)\r\n"
                           "###ProjectName=bench\r\n"
                           "###MERX_PROJECT_INFO_END\r\n")
            << in.rdbuf();
        out.close();
        std::filesystem::rename(project + ".tmp", project);
    }
    return project;
}

std::string ItemsStem(int64_t items) { return "items-" + std::to_string(items); }

// The file with 10,000 items and `events` events.
std::string EventsStem(int64_t events) { return "items-10000-events-" + std::to_string(events); }

// Runs the main dialog with `file` on its command line until the first
// show has opened it; returns CPU and wall seconds from construction until
// then. False when the window never got there.
bool StartMainWindow(const std::string& file, double& cpu, double& wall)
{
    CEditorStartup startup;
    startup.programFolder = PathTextFromNative(g_scratch);
    startup.settingsPath = PathTextFromNative(g_scratch + "/TavaroItemEditor.ini");
    startup.commandLine = file;
    const double cpu0 = CpuSeconds();
    const double wall0 = WallSeconds();
    bool reached = false;
    CMainDlg main(startup);
    QObject ticks;
    std::function<void()> poll = [&] {
        if (main.HasWindow() && main.IsWindowVisible() && main.IsStartupDone()) {
            cpu = CpuSeconds() - cpu0;
            wall = WallSeconds() - wall0;
            reached = true;
            main.EndDialog(kIdCancel);
            return;
        }
        QTimer::singleShot(0, &ticks, poll);
    };
    QTimer::singleShot(0, &ticks, poll);
    main.DoModal();
    return reached;
}

// Runs `act` in the main dialog once the first show has opened `file`.
bool InMainWindow(const std::string& file, const std::function<void(CMainDlg&)>& act)
{
    CEditorStartup startup;
    startup.programFolder = PathTextFromNative(g_scratch);
    startup.settingsPath = PathTextFromNative(g_scratch + "/TavaroItemEditor.ini");
    startup.commandLine = file;
    bool reached = false;
    CMainDlg main(startup);
    QObject ticks;
    std::function<void()> poll = [&] {
        if (main.HasWindow() && main.IsWindowVisible() && main.IsStartupDone()) {
            reached = true;
            act(main);
            main.EndDialog(kIdCancel);
            return;
        }
        QTimer::singleShot(0, &ticks, poll);
    };
    QTimer::singleShot(0, &ticks, poll);
    main.DoModal();
    return reached;
}

void Measure(benchmark::State& state, const std::string& file)
{
    double wallTotal = 0;
    for (auto _ : state) {
        double cpu = 0, wall = 0;
        if (!StartMainWindow(file, cpu, wall)) {
            state.SkipWithError("the main window did not open the file");
            return;
        }
        state.SetIterationTime(cpu);
        wallTotal += wall;
    }
    state.counters["wall_ms"] = wallTotal * 1e3 / static_cast<double>(state.iterations());
}

void BM_StartUp(benchmark::State& state)
{
    Measure(state, "");
    state.counters["qt_start_ms"] = g_qtStartMs;
    state.counters["first_start_ms"] = g_firstStartMs;
    state.counters["first_start_wall_ms"] = g_firstStartWallMs;
}

void BM_OpenInMainWindow(benchmark::State& state)
{
    const std::string file = ProjectFile(ItemsStem(state.range(0)));
    if (file.empty()) {
        state.SkipWithError("no data file (see --data_dir)");
        return;
    }
    Measure(state, file);
}

void BM_FormatCommand(benchmark::State& state)
{
    const std::string file = ProjectFile(ItemsStem(state.range(0)));
    if (file.empty()) {
        state.SkipWithError("no data file (see --data_dir)");
        return;
    }
    const std::string output = g_scratch + "/formatted.cgi";
    double wallTotal = 0;
    for (auto _ : state) {
        const std::string_view args[] = {"-o", output, file};
        std::ostringstream out, err;
        const double cpu0 = CpuSeconds();
        const double wall0 = WallSeconds();
        const int status = RunFormatCommand(args, out, err);
        state.SetIterationTime(CpuSeconds() - cpu0);
        wallTotal += WallSeconds() - wall0;
        if (status != 0) {
            state.SkipWithError(("format failed: " + err.str()).c_str());
            return;
        }
    }
    state.counters["wall_ms"] = wallTotal * 1e3 / static_cast<double>(state.iterations());
}

// The page of `tab`, made the current one, shows the document anew: its
// list refilled and the shown element shown again.
void PageFill(benchmark::State& state, const std::string& stem, int32_t tab)
{
    const std::string file = ProjectFile(stem);
    if (file.empty()) {
        state.SkipWithError("no data file (see --data_dir)");
        return;
    }
    const bool opened = InMainWindow(file, [&](CMainDlg& main) {
        main.Control(CMainDlg::IDC_TAB).SetCurSel(tab);
        main.SwitchPage();
        CMainPage& page = main.Page(tab);
        for (auto _ : state) {
            const double cpu0 = CpuSeconds();
            page.Reload();
            state.SetIterationTime(CpuSeconds() - cpu0);
        }
    });
    if (!opened)
        state.SkipWithError("the main window did not open the file");
}

// The page of `tab` shows another of its `count(main)` elements, as a click
// in its list does: the shown one applied, the next one copied and shown.
void PageSwitch(benchmark::State& state, const std::string& stem, int32_t tab,
                uint32_t (*count)(const CMerxDocument&))
{
    const std::string file = ProjectFile(stem);
    if (file.empty()) {
        state.SkipWithError("no data file (see --data_dir)");
        return;
    }
    const bool opened = InMainWindow(file, [&](CMainDlg& main) {
        main.Control(CMainDlg::IDC_TAB).SetCurSel(tab);
        main.SwitchPage();
        CMainPage& page = main.Page(tab);
        const int32_t elements = static_cast<int32_t>(count(main.Document()));
        int32_t next = 0;
        for (auto _ : state) {
            next = (next + 7919) % elements;
            const double cpu0 = CpuSeconds();
            page.SelectElement(next);
            state.SetIterationTime(CpuSeconds() - cpu0);
        }
    });
    if (!opened)
        state.SkipWithError("the main window did not open the file");
}

// What the sort dialog's OK does on the item page: the items sorted by the
// key of state.range(1) (2 name, 5 type), ascending and descending in turn
// so that every run changes the order, and the page showing them anew.
void BM_ItemSort(benchmark::State& state)
{
    const std::string file = ProjectFile(ItemsStem(state.range(0)));
    if (file.empty()) {
        state.SkipWithError("no data file (see --data_dir)");
        return;
    }
    const auto key = static_cast<CItemSortKey>(state.range(1));
    const bool opened = InMainWindow(file, [&](CMainDlg& main) {
        CMainPage& page = main.Page(CMainDlg::kItemTab);
        CItemPreviousOrder previous;
        bool descending = false;
        for (auto _ : state) {
            const double cpu0 = CpuSeconds();
            SortItems(main.Document(), key, descending, previous);
            page.Reload();
            state.SetIterationTime(CpuSeconds() - cpu0);
            descending = !descending;
        }
    });
    if (!opened)
        state.SkipWithError("the main window did not open the file");
}

// The keystrokes of typing "item12" into a filter box and taking it back
// letter by letter: the text after each. "i" keeps every item of the
// generated files (their codes are itemN), "item12" a few hundred.
const char* const kFilterKeystrokes[] = {"i", "it", "ite", "item", "item1", "item12",
                                         "item1", "item", "ite", "it", "i", ""};

void BM_ListFilter(benchmark::State& state)
{
    const std::string file = ProjectFile(ItemsStem(state.range(0)));
    if (file.empty()) {
        state.SkipWithError("no data file (see --data_dir)");
        return;
    }
    const bool opened = InMainWindow(file, [&](CMainDlg& main) {
        const CMerxDocument& doc = main.Document();
        CListFilter filter;
        const CFilterFields fields{"no", "code", "name"};
        size_t keystroke = 0;
        for (auto _ : state) {
            const char* text = kFilterKeystrokes[keystroke++ % std::size(kFilterKeystrokes)];
            const double cpu0 = CpuSeconds();
            filter.Refilter(text, doc.itemdata.GetCount(), [&](uint32_t i, CListFilter::CTexts& texts) {
                fields.AddTexts(*doc.itemdata.GetAt(i), texts);
            });
            state.SetIterationTime(CpuSeconds() - cpu0);
            benchmark::DoNotOptimize(filter.FilteredCount());
        }
    });
    if (!opened)
        state.SkipWithError("the main window did not open the file");
}

void BM_ItemPageFilter(benchmark::State& state)
{
    const std::string file = ProjectFile(ItemsStem(state.range(0)));
    if (file.empty()) {
        state.SkipWithError("no data file (see --data_dir)");
        return;
    }
    const bool opened = InMainWindow(file, [&](CMainDlg& main) {
        CMainPage& page = main.Page(CMainDlg::kItemTab);
        size_t keystroke = 0;
        for (auto _ : state) {
            const char* text = kFilterKeystrokes[keystroke++ % std::size(kFilterKeystrokes)];
            const double cpu0 = CpuSeconds();
            page.Control(item_page::IDC_FILTER).SetText(text);
            state.SetIterationTime(CpuSeconds() - cpu0);
        }
    });
    if (!opened)
        state.SkipWithError("the main window did not open the file");
}

uint32_t ItemCount(const CMerxDocument& doc) { return doc.itemdata.GetCount(); }
uint32_t EventCount(const CMerxDocument& doc) { return doc.eventdata.GetCount(); }

void BM_ItemPageFill(benchmark::State& state) { PageFill(state, ItemsStem(state.range(0)), CMainDlg::kItemTab); }
void BM_ItemPageSwitch(benchmark::State& state)
{
    PageSwitch(state, ItemsStem(state.range(0)), CMainDlg::kItemTab, ItemCount);
}
// The item page's apply of one edited field, as its "適用" does: the item
// read back from the page, guarded, stored and recorded as a step of the
// undo history.
void BM_ItemPageApply(benchmark::State& state)
{
    const std::string file = ProjectFile(ItemsStem(state.range(0)));
    if (file.empty()) {
        state.SkipWithError("no data file (see --data_dir)");
        return;
    }
    const bool opened = InMainWindow(file, [&](CMainDlg& main) {
        main.Control(CMainDlg::IDC_TAB).SetCurSel(CMainDlg::kItemTab);
        main.SwitchPage();
        CMainPage& page = main.Page(CMainDlg::kItemTab);
        page.SelectElement(static_cast<int32_t>(main.Document().itemdata.GetCount() / 2));
        uint32_t round = 0;
        for (auto _ : state) {
            page.Control(item_page::IDC_CODE).SetText(++round % 2 ? "code_a" : "code_b");
            const double cpu0 = CpuSeconds();
            page.Apply();
            state.SetIterationTime(CpuSeconds() - cpu0);
        }
        if (main.Project().history.GetCount() == 0)
            state.SkipWithError("the applies recorded no step");
    });
    if (!opened)
        state.SkipWithError("the main window did not open the file");
}

void BM_EventPageFill(benchmark::State& state) { PageFill(state, EventsStem(state.range(0)), CMainDlg::kEventTab); }
void BM_EventPageSwitch(benchmark::State& state)
{
    PageSwitch(state, EventsStem(state.range(0)), CMainDlg::kEventTab, EventCount);
}

BENCHMARK(BM_StartUp)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenInMainWindow)->Arg(50000)->ArgName("items")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FormatCommand)->Arg(50000)->ArgName("items")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ItemPageFill)->Arg(50000)->ArgName("items")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ItemPageSwitch)->Arg(50000)->ArgName("items")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_ItemPageApply)->Arg(50000)->ArgName("items")->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);
BENCHMARK(BM_EventPageFill)->Arg(10000)->ArgName("events")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ItemSort)->Args({50000, 2})->Args({50000, 5})->ArgNames({"items", "key"})->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_ListFilter)->Arg(50000)->ArgName("items")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(48);
BENCHMARK(BM_ItemPageFilter)->Arg(50000)->ArgName("items")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(48);
BENCHMARK(BM_EventPageSwitch)->Arg(10000)->ArgName("events")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (!ReadDataDirArg(argc, argv, g_dataDir))
        return 2;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char scratch[] = "/tmp/tavaro-editor-bench-XXXXXX";
    if (!mkdtemp(scratch))
        return 2;
    g_scratch = scratch;

    const double cpu0 = CpuSeconds();
    CQtBackend backend;
    g_qtStartMs = (CpuSeconds() - cpu0) * 1e3;
    UiSetBackend(&backend);
    double cpu = 0, wall = 0;
    if (StartMainWindow("", cpu, wall)) {
        g_firstStartMs = cpu * 1e3;
        g_firstStartWallMs = wall * 1e3;
    }
    benchmark::RunSpecifiedBenchmarks();
    UiSetBackend(nullptr);
    std::filesystem::remove_all(g_scratch);
    return 0;
}
