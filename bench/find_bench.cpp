// Benchmark of the find window's work (editing/find_replace.h) on the files
// that bench/data_gen/gen-item-data.pl generates (items-N.cgi in the folder
// given by --data_dir=DIR, default "."; run_document_bench.sh makes them),
// over every element of the project by its full text (target "全て", field
// "全文"), as the find window and "tavaro find" run it:
//
//   BM_FindContains/items:N  通常検索 of "職人", a word in about a third of
//                            the items
//   BM_FindPattern/items:N   正規表現 "@@ITEMNO\"%/d\"" (an item number
//                            reference), no options
//   BM_Replace/items:N       全て置換 of "職人" by "名人" (通常検索): the run
//                            with the read-back of every changed element,
//                            and the commit into the document
//
// Times are CPU seconds of RunFindReplace (and CommitFindReplace) alone,
// manual timing; the document is read outside them (for BM_Replace afresh
// before each run). Each benchmark checks its work: something is found; a
// replacement refuses no element and leaves no "職人" behind. Counters:
//   elements      elements found or changed
//   replacements  replacements made (BM_Replace)
#include <benchmark/benchmark.h>
#include <time.h>

#include <map>
#include <memory>
#include <string>

#include "thread_cpu_seconds.h"
#include "data_dir_arg.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "foundation/sjis_literal.h"
#include "foundation/text_file.h"
#include "editing/find_methods.h"
#include "editing/find_replace.h"
#include "editing/find_targets.h"

namespace {

std::string g_dataDir = ".";

// The document of the file with `items` items, read afresh; null when it
// cannot be read.
std::unique_ptr<CMerxDocument> ReadDocument(int64_t items)
{
    CStr_base<16384> text;
    const std::string path = g_dataDir + "/items-" + std::to_string(items) + ".cgi";
    auto doc = std::make_unique<CMerxDocument>();
    doc->RebuildKeyLists(true, false);
    if (ReadTextFile(path.c_str(), text) != TextFileStatus::kOk || !CMerxReader(*doc).Parse(text) ||
        doc->itemdata.GetCount() != static_cast<uint32_t>(items))
        return nullptr;
    return doc;
}

// The same document for every search of a size in the process.
CMerxDocument* SharedDocument(int64_t items)
{
    static std::map<int64_t, std::unique_ptr<CMerxDocument>> documents;
    std::unique_ptr<CMerxDocument>& doc = documents[items];
    if (!doc)
        doc = ReadDocument(items);
    return doc.get();
}

CFindRequest Request(uint32_t mode, const char* search, const char* replacement = nullptr)
{
    CFindRequest request;
    request.field = kFindFullText;
    request.mode = mode;
    request.search.Assign(search);
    if (replacement) {
        request.replacement.Assign(replacement);
        request.replace = true;
    }
    return request;
}

void Find(benchmark::State& state, const CFindRequest& request)
{
    CMerxDocument* doc = SharedDocument(state.range(0));
    if (!doc) {
        state.SkipWithError("cannot read the data file");
        return;
    }
    const std::vector<CFindElement> targets = CollectFindTargets(*doc, kFindAll, CPageElement{});
    uint32_t elements = 0;
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        const CFindOutcome outcome = RunFindReplace(*doc, targets, request);
        state.SetIterationTime(ThreadCpuSeconds() - start);
        elements = outcome.elements;
        if (outcome.stop != StrRegexStop::kNone || elements == 0) {
            state.SkipWithError("the search stopped or found nothing");
            return;
        }
    }
    state.counters["elements"] = elements;
}

void BM_FindContains(benchmark::State& state)
{
    Find(state, Request(kFindContains, SJ("職人")));
}

void BM_FindPattern(benchmark::State& state)
{
    Find(state, Request(kFindPattern, "@@ITEMNO\"%/d\""));
}

void BM_Replace(benchmark::State& state)
{
    const CFindRequest replace = Request(kFindContains, SJ("職人"), SJ("名人"));
    const CFindRequest find = Request(kFindContains, SJ("職人"));
    CFindOutcome outcome;
    for (auto _ : state) {
        std::unique_ptr<CMerxDocument> doc = ReadDocument(state.range(0));
        if (!doc) {
            state.SkipWithError("cannot read the data file");
            return;
        }
        const std::vector<CFindElement> targets = CollectFindTargets(*doc, kFindAll, CPageElement{});
        const double start = ThreadCpuSeconds();
        outcome = RunFindReplace(*doc, targets, replace);
        CommitFindReplace(*doc, outcome);
        state.SetIterationTime(ThreadCpuSeconds() - start);
        if (outcome.stop != StrRegexStop::kNone || outcome.refused != 0 || outcome.replacements == 0 ||
            RunFindReplace(*doc, targets, find).elements != 0) {
            state.SkipWithError("the replacement refused an element or left the word behind");
            return;
        }
    }
    state.counters["elements"] = outcome.elements;
    state.counters["replacements"] = outcome.replacements;
}

BENCHMARK(BM_FindContains)->ArgName("items")->Arg(1000)->Arg(10000)->Arg(50000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindPattern)->ArgName("items")->Arg(1000)->Arg(10000)->Arg(50000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Replace)->ArgName("items")->Arg(1000)->Arg(10000)->Arg(50000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunDataFileBenchmarks(argc, argv, g_dataDir); }
