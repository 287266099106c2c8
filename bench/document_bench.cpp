// Benchmarks of opening and saving a whole item data file, on the files
// that bench/data_gen/gen-item-data.pl generates (items-N.cgi in the folder
// given by --data_dir=DIR, default "."; run_document_bench.sh makes them).
//
//   BM_Open/items:N  read the file (CR LF -> LF) and parse it into a
//                    document whose key lists are those of the default rule
//                    (beta, includes are no elements)
//   BM_Save/items:N  write the document parsed from the file as data text
//                    as the save writes it (CKeptWriter: what did not
//                    change, as it was read) and replace the file
//                    items-N.saved.cgi with it safely (CTextFileWriter: CR
//                    LF on disk, flushed to the disk, renamed in place), the
//                    text handed over in pieces
//   BM_SaveFormatted/items:N  the same with every element in the writer's
//                    layout (CMerxWriter, as "tavaro format" writes, and as
//                    the save wrote before it kept unchanged text)
//   BM_SaveOneFieldChanged/items:N  BM_Save after one item's price changed
//   BM_SaveSorted/items:N  BM_Save after the items were put in reverse
//                    order (every item in a new place, each text looked at
//                    where it now stands)
//
// Times are CPU seconds of the measured calls only (manual timing); the
// document is built and destroyed outside them. Counters:
//   file_MB      size of the data file
//   peak_rss_MB  the highest peak resident memory of one call: before each
//                call freed memory goes back to the system and the peak is
//                reset, so the figure is the process's own memory (program,
//                libraries) plus what the open needs, or for BM_Save the
//                document read before plus what the save needs; run one
//                benchmark per process (run_document_bench.sh does)
//   wall_ms      mean wall-clock time of one call (BM_Save: fsync included)
//
// Each benchmark checks its work: the open reports no reader message and
// yields N items; the saved file, opened and saved again, comes back byte
// for byte (checked once, before the saves are measured).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>

#include <cstdio>
#include <cstring>
#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "data_dir_arg.h"
#include "document/data_writer.h"
#include "document/kept_writer.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "foundation/text_file.h"

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

std::string g_dataDir = ".";

using Text = CStr_base<16384>;

double Seconds(clockid_t clock)
{
    timespec now;
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// CPU and wall-clock seconds of `work`.
template <class Work>
std::pair<double, double> Timed(Work&& work)
{
    const double cpu = Seconds(CLOCK_THREAD_CPUTIME_ID);
    const double wall = Seconds(CLOCK_MONOTONIC);
    work();
    return {Seconds(CLOCK_THREAD_CPUTIME_ID) - cpu, Seconds(CLOCK_MONOTONIC) - wall};
}

// A value of /proc/self/status in MB ("VmHWM": peak resident memory).
double StatusMegabytes(const char* name)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(name) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::stod(line.substr(prefix.size())) / 1024.0;
    }
    return -1;
}

// Lets the peak resident memory start again from the present one.
void ResetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::string DataFile(int64_t items) { return g_dataDir + "/items-" + std::to_string(items) + ".cgi"; }
std::string SavedFile(int64_t items) { return g_dataDir + "/items-" + std::to_string(items) + ".saved.cgi"; }

// The open: the file read in text mode and parsed under the default rule;
// the reader's messages go to `messages` when given.
bool Open(const std::string& path, CMerxDocument& doc, CStr_base<1024>* messages = nullptr)
{
    Text text;
    if (ReadTextFile(path.c_str(), text) != TextFileStatus::kOk)
        return false;
    doc.RebuildKeyLists(true, false);
    CMerxReader reader(doc);
    const bool parsed = reader.Parse(text);
    if (messages)
        *messages = reader.Messages();
    return parsed;
}

// The save: the writer's text, its CR LF turned into LF for the text-file
// writer, which puts CR LF on disk. The text goes to the writer in pieces,
// so that the file's CR LF form never stands in memory whole.
bool Save(const CMerxDocument& doc, const std::string& path, bool formatted = false)
{
    constexpr uint32_t kPiece = 1 << 16;
    Text text;
    if (formatted) {
        text = CMerxWriter(doc).WriteDocument();
        text.Replace("\r\n", "\n");
    } else {
        text = CKeptWriter(doc).WriteDocument();
    }
    CTextFileWriter file;
    if (!file.Begin(path.c_str()))
        return false;
    for (uint32_t done = 0; done < text.GetLength(); done += kPiece) {
        const uint32_t piece = std::min(kPiece, text.GetLength() - done);
        if (!file.Write(text.GetBuffer() + done, piece))
            return false;
    }
    return file.Commit();
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

double FileMegabytes(const std::string& path)
{
    return static_cast<double>(FileBytes(path).size()) / kMegabyte;
}

// Lets the peak resident memory start from what is in use now: memory that
// freed documents and texts left behind goes back to the system first.
void StartPeakMemory()
{
    malloc_trim(0);
    ResetPeakMemory();
}

void BM_Open(benchmark::State& state)
{
    const int64_t items = state.range(0);
    const std::string path = DataFile(items);
    double wall = 0;
    double peak = 0;
    std::unique_ptr<CMerxDocument> doc;
    for (auto _ : state) {
        state.PauseTiming();
        doc.reset();
        StartPeakMemory();
        doc = std::make_unique<CMerxDocument>();
        state.ResumeTiming();
        bool opened = false;
        CStr_base<1024> messages;
        const auto [cpu, elapsed] = Timed([&] { opened = Open(path, *doc, &messages); });
        state.SetIterationTime(cpu);
        wall += elapsed;
        peak = std::max(peak, StatusMegabytes("VmHWM"));
        if (!opened) {
            state.SkipWithError(("cannot open " + path).c_str());
            return;
        }
        if (doc->itemdata.GetCount() != static_cast<uint32_t>(items) || !messages.IsEmpty()) {
            state.SkipWithError("the document differs from the generated file");
            return;
        }
    }
    state.counters["file_MB"] = FileMegabytes(path);
    state.counters["peak_rss_MB"] = peak;
    state.counters["wall_ms"] = wall * 1e3 / static_cast<double>(state.iterations());
}

// The document of the data file with `items` items, read once per process
// and checked once: what it saves, opened and saved again, comes back byte
// for byte. Null (and `error` set) when a step fails.
CMerxDocument* SavedDocument(int64_t items, std::string& error)
{
    static std::map<int64_t, std::unique_ptr<CMerxDocument>> documents;
    std::unique_ptr<CMerxDocument>& doc = documents[items];
    if (doc)
        return doc.get();
    const std::string path = DataFile(items);
    const std::string saved = SavedFile(items);
    auto fresh = std::make_unique<CMerxDocument>();
    if (!Open(path, *fresh) || !Save(*fresh, saved)) {
        error = "cannot open " + path + " or save it";
        return nullptr;
    }
    const std::string first = FileBytes(saved);
    {
        CMerxDocument again;
        if (!Open(saved, again) || !Save(again, saved) || FileBytes(saved) != first) {
            error = "the saved file changes when it is opened and saved again";
            return nullptr;
        }
    }
    doc = std::move(fresh);
    return doc.get();
}

// What the document holds when it is saved.
enum class Change { kNone, kOneField, kSorted };

// The document of the data file with `items` items, read once per process,
// with one item's price changed or the items in reverse order.
CMerxDocument* ChangedDocument(int64_t items, Change change, std::string& error)
{
    static std::map<std::pair<int64_t, Change>, std::unique_ptr<CMerxDocument>> documents;
    std::unique_ptr<CMerxDocument>& doc = documents[{items, change}];
    if (doc)
        return doc.get();
    auto fresh = std::make_unique<CMerxDocument>();
    if (!Open(DataFile(items), *fresh) || fresh->itemdata.GetCount() == 0) {
        error = "cannot open " + DataFile(items);
        return nullptr;
    }
    if (change == Change::kOneField) {
        fresh->itemdata[fresh->itemdata.GetCount() / 2].SetField("price", "1");
    } else {
        std::vector<Citemstruct*> order;
        for (Citemstruct& item : fresh->itemdata)
            order.insert(order.begin(), &item);
        fresh->ReorderItems(order);
    }
    doc = std::move(fresh);
    return doc.get();
}

void SaveBench(benchmark::State& state, bool formatted, Change change = Change::kNone)
{
    const int64_t items = state.range(0);
    const std::string saved = SavedFile(items);
    std::string error;
    const CMerxDocument* doc =
        change == Change::kNone ? SavedDocument(items, error) : ChangedDocument(items, change, error);
    if (!doc) {
        state.SkipWithError(error.c_str());
        return;
    }
    double wall = 0;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        StartPeakMemory();
        state.ResumeTiming();
        bool written = false;
        const auto [cpu, elapsed] = Timed([&] { written = Save(*doc, saved, formatted); });
        state.SetIterationTime(cpu);
        wall += elapsed;
        peak = std::max(peak, StatusMegabytes("VmHWM"));
        if (!written) {
            state.SkipWithError(("cannot write " + saved).c_str());
            return;
        }
    }
    state.counters["file_MB"] = FileMegabytes(DataFile(items));
    state.counters["peak_rss_MB"] = peak;
    state.counters["wall_ms"] = wall * 1e3 / static_cast<double>(state.iterations());
    std::remove(saved.c_str());
}

void BM_Save(benchmark::State& state) { SaveBench(state, false); }
void BM_SaveFormatted(benchmark::State& state) { SaveBench(state, true); }
void BM_SaveOneFieldChanged(benchmark::State& state) { SaveBench(state, false, Change::kOneField); }
void BM_SaveSorted(benchmark::State& state) { SaveBench(state, false, Change::kSorted); }

void Sizes(benchmark::internal::Benchmark* b)
{
    b->ArgName("items")->Arg(1000)->Arg(10000)->Arg(50000)->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Open)->Apply(Sizes);
BENCHMARK(BM_Save)->Apply(Sizes);
BENCHMARK(BM_SaveFormatted)->Apply(Sizes);
BENCHMARK(BM_SaveOneFieldChanged)->Apply(Sizes);
BENCHMARK(BM_SaveSorted)->Apply(Sizes);

} // namespace

int main(int argc, char** argv) { return RunDataFileBenchmarks(argc, argv, g_dataDir); }
