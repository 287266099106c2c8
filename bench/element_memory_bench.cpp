// What an element of the document costs in memory: opens the files that
// bench/data_gen/gen-sparse-data.pl writes (sparse-KIND-N.cgi in the folder
// given by --data_dir=DIR, default "."; run_memory_bench.sh makes them) and
// the generated items-10000.cgi, as BM_Open of document_bench opens them,
// and counts the heap the document keeps.
//
//   BM_ElementHeap/file:F  F = 0 bare-uses (1,000,000 "@@USE" lines in one
//                          item), 1 bare-items (1,000,000), 2 bare-events
//                          (1,000,000), 3 small-items (10,000 items of
//                          about 400 bytes), 4 items-10000.cgi
//
// The heap is counted by the allocation cap (foundation/allocation_cap.h),
// armed out of reach around the parse: the usable sizes of the blocks the
// document holds when the parse has ended (the file text, read before, is
// not among them; the allocator's own 8 bytes a block are not counted).
// Counters:
//   elements      the elements of the file's kind (uses, items, events)
//   heap_B_each   the document's heap / elements
//   heap_x_file   the document's heap / the file's size
//   file_MB       size of the file
// Each run checks the document: no reader message and the elements counted.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <limits>
#include <memory>
#include <string>

#include "data_dir_arg.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "foundation/allocation_cap.h"
#include "foundation/text_file.h"

namespace {

std::string g_dataDir = ".";

struct SparseFile {
    const char* name;
    uint32_t (*count)(const CMerxDocument& doc); // the elements of the file's kind
    uint32_t expected;
};

uint32_t Uses(const CMerxDocument& doc)
{
    uint32_t uses = 0;
    for (const Citemstruct& item : doc.itemdata)
        uses += item.uses.GetCount();
    return uses;
}
uint32_t Items(const CMerxDocument& doc) { return doc.itemdata.GetCount(); }
uint32_t Events(const CMerxDocument& doc) { return doc.eventdata.GetCount(); }

const SparseFile kFiles[] = {
    {"sparse-bare-uses-1000000.cgi", Uses, 1000000},
    {"sparse-bare-items-1000000.cgi", Items, 1000000},
    {"sparse-bare-events-1000000.cgi", Events, 1000000},
    {"sparse-small-items-10000.cgi", Items, 10000},
    {"items-10000.cgi", Items, 10000},
};

void BM_ElementHeap(benchmark::State& state)
{
    const SparseFile& file = kFiles[state.range(0)];
    const std::string path = g_dataDir + "/" + file.name;
    int64_t heap = 0;
    uint64_t fileSize = 0;
    for (auto _ : state) {
        auto doc = std::make_unique<CMerxDocument>();
        doc->RebuildKeyLists(true, false);
        CStr_base<16384> text;
        if (ReadTextFile(path.c_str(), text) != TextFileStatus::kOk) {
            state.SkipWithError(("cannot read " + path).c_str());
            return;
        }
        fileSize = static_cast<uint64_t>(std::ifstream(path, std::ios::binary | std::ios::ate).tellg());
        bool parsed = false;
        bool clean = false;
        {
            const CAllocationCapScope counting(std::numeric_limits<size_t>::max());
            const int64_t before = AllocationGrowth();
            CMerxReader reader(*doc);
            parsed = reader.Parse(text);
            heap = AllocationGrowth() - before;
            clean = reader.Messages().IsEmpty();
        }
        if (!parsed || !clean || file.count(*doc) != file.expected) {
            state.SkipWithError(("the document differs from " + path).c_str());
            return;
        }
    }
    state.counters["elements"] = file.expected;
    state.counters["heap_B_each"] = static_cast<double>(heap) / file.expected;
    state.counters["heap_x_file"] = static_cast<double>(heap) / static_cast<double>(fileSize);
    state.counters["file_MB"] = static_cast<double>(fileSize) / (1024.0 * 1024.0);
}

BENCHMARK(BM_ElementHeap)->ArgName("file")->DenseRange(0, 4)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunDataFileBenchmarks(argc, argv, g_dataDir); }
