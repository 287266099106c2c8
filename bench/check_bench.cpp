// Benchmark of the project integrity check on the files that
// bench/data_gen/gen-item-data.pl generates (items-N.cgi in the folder given
// by --data_dir=DIR, default "."; run_document_bench.sh makes them).
//
//   BM_Check/items:N  the check over the document read from the file under
//                     the default rule (beta, includes are no elements)
//
// Times are CPU seconds of the check alone (manual timing); the document is
// read once, outside them. The generator writes a consistent project, so
// the check must find nothing; a finding fails the benchmark. Counters:
//   file_MB     size of the data file
//   references  the @@ITEMNO references the check looked up
#include <benchmark/benchmark.h>
#include <time.h>

#include <map>
#include <memory>
#include <string>

#include "thread_cpu_seconds.h"
#include "data_dir_arg.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "foundation/text_file.h"
#include "editing/integrity_check.h"
#include "editing/item_no_references.h"

namespace {

std::string g_dataDir = ".";

// The document of the file with `items` items, read once per process; null
// when it cannot be read. `megabytes` is the file's size.
const CMerxDocument* Document(int64_t items, double& megabytes)
{
    static std::map<int64_t, std::pair<std::unique_ptr<CMerxDocument>, double>> documents;
    auto& [doc, size] = documents[items];
    if (!doc) {
        CStr_base<16384> text;
        const std::string path = g_dataDir + "/items-" + std::to_string(items) + ".cgi";
        auto fresh = std::make_unique<CMerxDocument>();
        fresh->RebuildKeyLists(true, false);
        if (ReadTextFile(path.c_str(), text) != TextFileStatus::kOk || !CMerxReader(*fresh).Parse(text) ||
            fresh->itemdata.GetCount() != static_cast<uint32_t>(items))
            return nullptr;
        size = static_cast<double>(text.GetLength()) / (1024.0 * 1024.0);
        doc = std::move(fresh);
    }
    megabytes = size;
    return doc.get();
}

uint32_t CountReferences(const char* script)
{
    uint32_t count = 0;
    uint32_t at = 0;
    std::string_view number;
    while (NextItemNoReference(script, at, number))
        ++count;
    return count;
}

// The references in the fields of items, uses and events and in the function blocks.
uint32_t References(const CMerxDocument& doc)
{
    uint32_t count = 0;
    for (const Citemstruct& item : doc.itemdata) {
        for (const auto& [key, value] : item.fields)
            count += CountReferences(value.GetBuffer());
        for (const Cusestruct& use : item.uses)
            for (const auto& [key, value] : use.fields)
                count += CountReferences(value.GetBuffer());
    }
    for (const Ceventstruct& event : doc.eventdata)
        for (const auto& [key, value] : event.fields)
            count += CountReferences(value.GetBuffer());
    for (const auto& [keyword, block] : doc.singledata)
        count += CountReferences(block.text.GetBuffer());
    return count;
}

void BM_Check(benchmark::State& state)
{
    double megabytes = 0;
    const CMerxDocument* doc = Document(state.range(0), megabytes);
    if (!doc) {
        state.SkipWithError("cannot read the data file");
        return;
    }
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        const CIntegrityFindings findings = CheckProjectIntegrity(*doc);
        state.SetIterationTime(ThreadCpuSeconds() - start);
        if (findings.count != 0) {
            state.SkipWithError("the check found problems in the generated file");
            return;
        }
    }
    state.counters["file_MB"] = megabytes;
    state.counters["references"] = References(*doc);
}

BENCHMARK(BM_Check)
    ->ArgName("items")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(50000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunDataFileBenchmarks(argc, argv, g_dataDir); }
