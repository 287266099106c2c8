// Benchmarks of taking steps back and doing them again on the generated
// 50,000-item file (items-50000.cgi in --data_dir=DIR; run_document_bench.sh
// makes it). Each iteration undoes one step and redoes it; the time is the
// CPU time of the pair.
//
//   BM_UndoApply      one item's content (a field changed)
//   BM_UndoAdd        an item copied and inserted in the middle
//   BM_UndoDelete     the middle item removed
//   BM_UndoSort       every item in reverse order
//   BM_UndoReplaceAll every item's content changed, one batch
//   BM_ApplyWithStep  the apply itself with its step (against BM_ApplyAlone,
//                     the same change without one): what the history adds
//                     to a page's apply
#include <benchmark/benchmark.h>
#include <time.h>

#include <memory>
#include <string>
#include <vector>

#include "data_dir_arg.h"
#include "document/edit_command.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "foundation/text_file.h"
#include "pattern/editor_matchers.h"

namespace {

std::string g_dataDir = ".";

CMerxDocument& Document()
{
    static std::unique_ptr<CMerxDocument> doc;
    if (!doc) {
        doc = std::make_unique<CMerxDocument>();
        CStr_base<16384> text;
        const std::string path = g_dataDir + "/items-50000.cgi";
        if (ReadTextFile(path.c_str(), text) != TextFileStatus::kOk)
            return *doc;
        doc->RebuildKeyLists(true, false);
        CMerxReader(*doc).Parse(text);
    }
    return *doc;
}

void UndoRedo(benchmark::State& state, CEditCommand& step)
{
    CMerxDocument& doc = Document();
    for (auto _ : state) {
        step.Undo(doc);
        step.Redo(doc);
    }
}

bool Ready(benchmark::State& state)
{
    if (Document().itemdata.GetCount() < 2) {
        state.SkipWithError(("no items-50000.cgi in " + g_dataDir).c_str());
        return false;
    }
    return true;
}

void BM_UndoApply(benchmark::State& state)
{
    if (!Ready(state))
        return;
    CMerxDocument& doc = Document();
    Citemstruct content(doc.itemdata[25000]);
    content.SetField("price", "1");
    CEditCommandPtr step = ReplaceContent(doc, doc.itemdata[25000], content);
    UndoRedo(state, *step);
    step->Undo(doc);
}

void BM_UndoAdd(benchmark::State& state)
{
    if (!Ready(state))
        return;
    CMerxDocument& doc = Document();
    const uint32_t position = static_cast<uint32_t>(doc.FindInArrangement(&doc.itemdata[25000]));
    CEditCommandPtr step = InsertItem(doc, 25000, position, &doc.itemdata[25000]);
    UndoRedo(state, *step);
    step->Undo(doc);
}

void BM_UndoDelete(benchmark::State& state)
{
    if (!Ready(state))
        return;
    CMerxDocument& doc = Document();
    CEditCommandPtr step = RemoveElement(doc, doc.itemdata[25000]);
    UndoRedo(state, *step);
    step->Undo(doc);
}

void BM_UndoSort(benchmark::State& state)
{
    if (!Ready(state))
        return;
    CMerxDocument& doc = Document();
    std::vector<Citemstruct*> order;
    for (Citemstruct& item : doc.itemdata)
        order.insert(order.begin(), &item);
    CEditCommandPtr step = ReorderItems(doc, order);
    UndoRedo(state, *step);
    step->Undo(doc);
}

void BM_UndoReplaceAll(benchmark::State& state)
{
    if (!Ready(state))
        return;
    CMerxDocument& doc = Document();
    auto batch = std::make_unique<CEditBatch>();
    for (Citemstruct& item : doc.itemdata) {
        Citemstruct content(item);
        content.SetField("info", "x");
        batch->Add(ReplaceContent(doc, item, content));
    }
    state.counters["step_MB"] = static_cast<double>(batch->Bytes()) / (1 << 20);
    UndoRedo(state, *batch);
    batch->Undo(doc);
}

void Apply(benchmark::State& state, bool withStep)
{
    if (!Ready(state))
        return;
    CMerxDocument& doc = Document();
    Citemstruct content(doc.itemdata[25000]);
    content.SetField("price", "2");
    for (auto _ : state) {
        if (withStep) {
            CEditCommandPtr step = ReplaceContent(doc, doc.itemdata[25000], content);
            benchmark::DoNotOptimize(step.get());
        } else {
            doc.itemdata[25000] = content;
        }
    }
}

void BM_ApplyWithStep(benchmark::State& state) { Apply(state, true); }
void BM_ApplyAlone(benchmark::State& state) { Apply(state, false); }

} // namespace

BENCHMARK(BM_UndoApply)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoAdd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoDelete)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoReplaceAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyWithStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ApplyAlone)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    RegisterEditorMatchers();
    return RunDataFileBenchmarks(argc, argv, g_dataDir);
}
