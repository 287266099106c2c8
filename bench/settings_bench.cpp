// Benchmarks of reading settings texts: the project-information block of a
// data file, a large settings text, and the ordinary files of the program.
//
//   BM_ProjectBlock/lines:N  find and cut a block of N "###key=value" lines
//                            out of a data text and read its body
//   BM_SettingsText/lines:N  read a settings text of N lines into an empty
//                            store: sections of ten values, every tenth
//                            section holding ten more
//   BM_SettingsFile          the settings file of a normal run
//   BM_RuleFile              the example rule file harbor-beta.sir
//
// Every key of the large texts is a different one, so that the maps of the
// store grow with the text. Each benchmark checks what it read. Times are
// CPU time per call; the texts are built outside the measured loop.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "document/project_info.h"
#include "foundation/sjis_literal.h"
#include "settings/settings_store.h"

namespace {

std::string Numbered(const char* format, long number)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, number);
    return buffer;
}

// A data text with a block of `lines` body lines in front.
std::string BlockText(long lines)
{
    std::string text = SJ("###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください\n"
                          "###MERX_PROJECT_INFO_BEGIN\n###RuleKey=") +
                       std::string(SJ("標準 ベータ版(040318)")) + "\n";
    for (long i = 1; i < lines; ++i)
        text += Numbered("###Key%06ld=", i) + Numbered("value %ld\n", i);
    return text + "###MERX_PROJECT_INFO_END\n@@DEFINE\n";
}

void BM_ProjectBlock(benchmark::State& state)
{
    const std::string text = BlockText(state.range(0));
    for (auto _ : state) {
        CStr_base<16384> data(text.c_str());
        CStr_base<1024> body;
        if (!CutProjectInfoBlock(data, body) || data != "@@DEFINE\n") {
            state.SkipWithError("the block was not cut");
            return;
        }
        if (ReadProjectInfoBody(body).ruleKey != SJ("標準 ベータ版(040318)")) {
            state.SkipWithError("the rule key was not read");
            return;
        }
    }
    state.counters["text_MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ProjectBlock)->ArgName("lines")->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);

// A settings text of `lines` lines and the number of values in it.
std::string SettingsText(long lines, long& values)
{
    std::string text;
    values = 0;
    long written = 0;
    for (long section = 0; written < lines; ++section) {
        text += Numbered("[Section%ld]\n", section);
        for (int i = 0; i < 10; ++i, ++values)
            text += Numbered("\tKey%d=", i) + Numbered("value %ld\n", section);
        written += 12;
        if (section % 10 == 0) {
            text += "\t[Inner]\n";
            for (int i = 0; i < 10; ++i, ++values)
                text += Numbered("\t\tInnerKey%d=", i) + Numbered("%ld\n", section);
            text += "\t[EndSection]\n";
            written += 12;
        }
        text += "[EndSection]\n";
    }
    return text;
}

long CountValues(const CSettingsSection& section)
{
    long count = section.values.GetCount();
    for (auto [name, child] : section.sections)
        count += CountValues(*child);
    return count;
}

void LoadAndCheck(benchmark::State& state, const std::string& text, long values)
{
    for (auto _ : state) {
        CSettingsStore store;
        if (!store.LoadText(text.c_str()) || CountValues(*store.GetRoot()) != values) {
            state.SkipWithError("the text was not read whole");
            return;
        }
    }
}

void BM_SettingsText(benchmark::State& state)
{
    long values;
    const std::string text = SettingsText(state.range(0), values);
    LoadAndCheck(state, text, values);
    state.counters["text_MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_SettingsText)->ArgName("lines")->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_SettingsFile(benchmark::State& state)
{
    const std::string text =
        "LastOpenFile=C:\\game\\inc-item-data.cgi\nLastCurrentDirectory=C:\\game\nRuleName=beta\n"
        "[Custom]\n\tSaveAutoBackup=ON\n\tRestoreOpenFile=OFF\n\tPage0x5cEscapeMode=1\n\tEdit0x5cEscapeMode=0\n"
        "\tIconEditAppPath=C:\\tools\\paint.exe\n\tIconEditAppValue=%s\n\tExtControl=ON\n\tExt_IncludeFactor=OFF\n"
        "[EndSection]\n[OpenFileHistory]\n\tInfo[0]=C:\\game\\a.cgi\n\tInfo[1]=C:\\game\\b.cgi\n"
        "\tInfo[2]=C:\\game\\c.cgi\n[EndSection]\n[EditDialog]\n\tx=10\n\ty=20\n\tw=640\n\th=480\n\tMaximize=false\n"
        "[EndSection]\n[DirectInputDialog]\n\tx=0\n\ty=0\n\tw=500\n\th=500\n[EndSection]\n";
    LoadAndCheck(state, text, 23);
}
BENCHMARK(BM_SettingsFile)->Unit(benchmark::kMicrosecond);

void BM_RuleFile(benchmark::State& state)
{
    std::ifstream file(TAVARO_SOURCE_DIR "/examples/makeitem_rules/harbor-beta.sir", std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    std::string text;
    for (char c : bytes.str())
        if (c != '\r')
            text += c;
    CSettingsStore once;
    once.LoadText(text.c_str());
    LoadAndCheck(state, text, CountValues(*once.GetRoot()));
}
BENCHMARK(BM_RuleFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
