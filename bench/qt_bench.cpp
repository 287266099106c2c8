// The Qt backend with many items and long texts, on the offscreen
// platform: filling a list box and a drop-down list with 50,000 Japanese
// labels, and setting (and reading back) a 1 MB text in a multi-line edit.
// Goal: each under 100 ms of CPU time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/cp932.h"
#include "ui/dialog_base.h"
#include "ui/qt/qt_backend.h"

namespace {

enum : int32_t { kList = 10, kDrop = 11, kText = 12 };

const CUiDialogTemplate& BenchTemplate()
{
    static const CUiDialogTemplate t{
        1,
        "bench",
        {600, 400},
        kUiResizable,
        {
            {kList, UiControlKind::kList, "", {10, 10, 200, 300}, kUiTabStop},
            {kDrop, UiControlKind::kDropList, "", {220, 10, 200, 300}, kUiTabStop},
            {kText, UiControlKind::kEdit, "", {10, 320, 580, 70}, kUiTabStop | kUiMultiLine | kUiWantReturn},
        },
        {},
    };
    return t;
}

class CBenchDlg final : public CDialogBase {
public:
    CBenchDlg() : CDialogBase(BenchTemplate()) {}
    ~CBenchDlg() override { DestroyWindow(); }
};

// "アイテム00001：薬草の説明" and so on, in CP932.
const std::vector<std::string>& Labels()
{
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> made;
        made.reserve(50000);
        for (int i = 0; i < 50000; ++i) {
            char number[16];
            std::snprintf(number, sizeof number, "%05d", i);
            made.push_back(Utf8ToCp932(std::string("アイテム") + number + "：薬草の説明・回復量"));
        }
        return made;
    }();
    return labels;
}

// About 1 MB (0x100000 bytes, the direct-input window's limit) of
// Japanese lines with CR LF.
const std::string& MegabyteText()
{
    static const std::string text = [] {
        const std::string line = Utf8ToCp932("name\tアイテム名：薬草\tinfo\t体力を少し回復する。\r\n");
        std::string made;
        while (made.size() + line.size() <= 0x100000)
            made += line;
        return made;
    }();
    return text;
}

CQtBackend& Backend()
{
    static CQtBackend* backend = [] {
        if (!std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        auto* made = new CQtBackend;
        UiSetBackend(made);
        return made;
    }();
    return *backend;
}

void Fill(benchmark::State& state, int32_t id)
{
    Backend();
    CBenchDlg dialog;
    dialog.Create();
    const std::vector<std::string>& labels = Labels();
    for (auto _ : state) {
        CUiControl control = dialog.Control(id);
        control.ResetContent();
        for (const std::string& label : labels)
            control.AddString(label.c_str());
        benchmark::DoNotOptimize(control.GetCount());
    }
    state.counters["items"] = static_cast<double>(labels.size());
}

void BM_ListFill50k(benchmark::State& state) { Fill(state, kList); }
void BM_DropListFill50k(benchmark::State& state) { Fill(state, kDrop); }

void BM_EditSetText1MB(benchmark::State& state)
{
    Backend();
    CBenchDlg dialog;
    dialog.Create();
    const std::string& text = MegabyteText();
    for (auto _ : state) {
        dialog.Control(kText).SetText(text.c_str());
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

void BM_EditGetEditedText1MB(benchmark::State& state)
{
    Backend();
    CBenchDlg dialog;
    dialog.Create();
    CUiControl edit = dialog.Control(kText);
    edit.SetText(MegabyteText().c_str());
    edit.SetSel(0, 0);
    edit.ReplaceSel("x", true);  // the text is no longer the one given
    CStr_base<16384> read;
    for (auto _ : state) {
        edit.GetText(read);
        benchmark::DoNotOptimize(read.GetLength());
    }
}

}  // namespace

BENCHMARK(BM_ListFill50k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropListFill50k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditSetText1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditGetEditedText1MB)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
