// Benchmarks of the pattern engine on generated Shift-JIS texts of 1 MB and
// 16 MB. Where the same work can be written for PCRE2, its interpreter (no
// JIT) does it too, once per benchmark before the measured loop: its result
// checks ours and its time is the yardstick.
//
// Times are CPU seconds of the measured calls only (manual timing): setting
// up a fresh subject for the replacement does not count, and other processes
// on the machine disturb the figures little.
//
// Counters:
//   matches      matches found (for the settings lines: lines that matched)
//   pcre2_ms     mean CPU time of the same work with PCRE2
//   vs_pcre2     our time divided by PCRE2's
//   text_MB      size of the generated text
//   peak_rss_MB  peak resident memory of the process so far; run one
//                benchmark per process (run_regex_bench.sh does) to read it
//                per benchmark
//   steps_per_byte  steps the same work takes under the default budget of
//                patterns from the user, per byte of text (counted once,
//                untimed; the budget stopping it fails the benchmark)
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "thread_cpu_seconds.h"
#include "bench_texts.h"
#include "pcre2_reference.h"
#include "pattern/str_regex.h"

namespace {

constexpr uint32_t kMegabyte = 1u << 20;

// The settings reader's key=value pattern.
constexpr const char* kSettingsLinePattern = "%/0w%{%+j%e=%}%{%+0j%P\n%}";

// The data-file reader's block pattern (include-as-element flag off).
constexpr const char* kBlockPattern =
    "%[%(@@IF%+0j%[%(\n%/0W%)%$%]%)%(%+j%[%(\n%/0w%P@@%[%(DEFINE%)%(ITEM%!(NO%)%)%(EVENT%)%(FUNC%[%(ITEM%)%("
    "EVENT%)%(UPDATE%)%(INIT%)%(BUY%)%(BASE%)%(TURN%)%(CUSTOM%)%(NEW%)%(SHOPIN%)%(SHOPOUT%)%(SALE%)%(BASE%)%]%)%("
    "INCLUDE%)%(IF%)%(SETMACRO%)%(USEMACRO%)%(SKIP%)%(END%)%]%)%$%]%)%]";

// Runs `work` and returns its CPU seconds.
template <class Work>
double Timed(Work&& work)
{
    const double start = ThreadCpuSeconds();
    work();
    return ThreadCpuSeconds() - start;
}

// Mean CPU seconds of `work` over at least three runs and 0.3 seconds.
template <class Work>
double MeanCpuSeconds(Work&& work)
{
    double total = 0;
    int runs = 0;
    while (runs < 3 || total < 0.3) {
        total += Timed(work);
        ++runs;
    }
    return total / runs;
}

uint64_t Fnv1a(const char* bytes, size_t length)
{
    uint64_t hash = 0xCBF29CE484222325ull;
    for (size_t i = 0; i < length; ++i)
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 0x100000001B3ull;
    return hash;
}

// Texts are generated once per size and kept for the whole run.
template <class Text, class Generate>
Text& Cached(std::map<int64_t, std::unique_ptr<Text>>& cache, int64_t megabytes, Generate generate)
{
    std::unique_ptr<Text>& slot = cache[megabytes];
    if (!slot) {
        slot = std::make_unique<Text>();
        generate(static_cast<uint32_t>(megabytes) * kMegabyte, slot.get());
    }
    return *slot;
}

// The data file with CRLF line ends, as it lies on disk.
DataText& DiskData(int64_t megabytes)
{
    static std::map<int64_t, std::unique_ptr<DataText>> cache;
    return Cached(cache, megabytes, [](uint32_t bytes, DataText* t) { GenerateDataText(bytes, "\r\n", t); });
}

// The data file with "\n" line ends, as the reader sees it.
DataText& ReaderData(int64_t megabytes)
{
    static std::map<int64_t, std::unique_ptr<DataText>> cache;
    return Cached(cache, megabytes, [](uint32_t bytes, DataText* t) { GenerateDataText(bytes, "\n", t); });
}

SettingsText& Settings(int64_t megabytes)
{
    static std::map<int64_t, std::unique_ptr<SettingsText>> cache;
    return Cached(cache, megabytes, GenerateSettingsText);
}

// Sets the counters; `pcre2Seconds` is 0 where there is no PCRE2 yardstick.
void Report(benchmark::State& state, int64_t matches, double ourSeconds, double pcre2Seconds, uint32_t textBytes)
{
    state.counters["matches"] = static_cast<double>(matches);
    state.counters["text_MB"] = static_cast<double>(textBytes) / kMegabyte;
    if (pcre2Seconds > 0 && state.iterations() > 0) {
        state.counters["pcre2_ms"] = pcre2Seconds * 1e3;
        state.counters["vs_pcre2"] = ourSeconds / static_cast<double>(state.iterations()) / pcre2Seconds;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Counts the steps of `run` under the default budget of patterns from the
// user: `run` is given a function that makes one call with a fresh budget.
template <class Run>
void ReportSteps(benchmark::State& state, uint32_t textBytes, Run run)
{
    uint64_t steps = 0;
    bool stopped = false;
    run([&](auto call) {
        CStrRegexBudget budget;
        call(&budget);
        steps += budget.steps;
        stopped = stopped || budget.stop != StrRegexStop::kNone;
    });
    if (stopped)
        state.SkipWithError("the default budget of patterns from the user stopped the work");
    state.counters["steps_per_byte"] = static_cast<double>(steps) / textBytes;
}

// (a) A word that occurs a few dozen times per megabyte, with a hit list.
void BM_SparseLiteral(benchmark::State& state)
{
    CStr_base<16384>& text = DiskData(state.range(0)).text;
    Pcre2Matches expected;
    const double pcre2 = MeanCpuSeconds([&] { expected = Pcre2FindAll(kRareWord, text, text.GetLength()); });

    int32_t count = 0;
    uint64_t offsetSum = 0;
    double ours = 0;
    for (auto _ : state) {
        CStrRegexHitList hits;
        const double seconds = Timed([&] { count = text.Regex(kRareWord, "g", nullptr, nullptr, nullptr, 0, &hits); });
        state.SetIterationTime(seconds);
        ours += seconds;
        offsetSum = 0;
        for (const CStrRegexHitBufStruct& hit : hits)
            offsetSum += hit.offset;
    }
    if (count < 0 || static_cast<uint32_t>(count) != expected.count || offsetSum != expected.offsetSum)
        state.SkipWithError("the hits differ from PCRE2's");
    Report(state, count, ours, pcre2, text.GetLength());
    ReportSteps(state, text.GetLength(), [&](auto budgeted) {
        budgeted([&](CStrRegexBudget* b) { text.Regex(kRareWord, "g", nullptr, nullptr, nullptr, 0, nullptr, {}, b); });
    });
}

// (b) Every run of digits.
void BM_DigitRun(benchmark::State& state)
{
    CStr_base<16384>& text = DiskData(state.range(0)).text;
    Pcre2Matches expected;
    const double pcre2 = MeanCpuSeconds([&] { expected = Pcre2FindAll("[0-9]+", text, text.GetLength()); });

    int32_t count = 0;
    double ours = 0;
    for (auto _ : state) {
        const double seconds = Timed([&] { count = text.Regex("%/d", "g"); });
        state.SetIterationTime(seconds);
        ours += seconds;
    }
    if (count < 0 || static_cast<uint32_t>(count) != expected.count)
        state.SkipWithError("the match count differs from PCRE2's");
    Report(state, count, ours, pcre2, text.GetLength());
    ReportSteps(state, text.GetLength(), [&](auto budgeted) {
        budgeted([&](CStrRegexBudget* b) { text.Regex("%/d", "g", nullptr, nullptr, nullptr, 0, nullptr, {}, b); });
    });
}

// (c) The settings reader: one call per line, one capture list for all.
void BM_SettingsLines(benchmark::State& state)
{
    const SettingsText& settings = Settings(state.range(0));
    const char* const begin = settings.text.GetBuffer();
    const char* const end = begin + settings.text.GetLength();

    CStrRegexMatchStruct captures;
    CStr_base<1024> line;
    uint32_t matched = 0;
    uint64_t keyBytes = 0;
    double ours = 0;
    for (auto _ : state) {
        matched = 0;
        keyBytes = 0;
        const double seconds = Timed([&] {
            for (const char* p = begin; p < end;) {
                const void* lineEnd = std::memchr(p, '\n', static_cast<size_t>(end - p));
                const char* next = lineEnd ? static_cast<const char*>(lineEnd) + 1 : end;
                line.Assign(p, static_cast<int32_t>(next - p));
                if (line.Regex(kSettingsLinePattern, "s", &captures) == 1) {
                    ++matched;
                    keyBytes += captures[0].GetLength();
                }
                p = next;
            }
        });
        state.SetIterationTime(seconds);
        ours += seconds;
    }
    if (matched != settings.keyLines || keyBytes != settings.keyBytes)
        state.SkipWithError("the key lines or their keys differ from what was generated");
    Report(state, matched, ours, 0, settings.text.GetLength());
    ReportSteps(state, settings.text.GetLength(), [begin, end](auto budgeted) {
        CStrRegexMatchStruct list;
        CStr_base<1024> text;
        for (const char* p = begin; p < end;) {
            const void* lineEnd = std::memchr(p, '\n', static_cast<size_t>(end - p));
            const char* next = lineEnd ? static_cast<const char*>(lineEnd) + 1 : end;
            text.Assign(p, static_cast<int32_t>(next - p));
            budgeted([&](CStrRegexBudget* b) {
                text.Regex(kSettingsLinePattern, "s", &list, nullptr, nullptr, 0, nullptr, {}, b);
            });
            p = next;
        }
    });
}

// (d) The reader cutting a whole data file into blocks.
void BM_DataFileBlocks(benchmark::State& state)
{
    DataText& data = ReaderData(state.range(0));
    CStr_base<16384>& text = data.text;

    int32_t count = 0;
    bool tiled = false;
    double ours = 0;
    for (auto _ : state) {
        CStrRegexHitList hits;
        const double seconds =
            Timed([&] { count = text.Regex(kBlockPattern, "gi", nullptr, nullptr, nullptr, 0, &hits); });
        state.SetIterationTime(seconds);
        ours += seconds;
        // The blocks must follow one another without gaps up to the end.
        uint64_t next = 0;
        tiled = true;
        for (const CStrRegexHitBufStruct& hit : hits) {
            tiled = tiled && hit.offset == next;
            next = static_cast<uint64_t>(hit.offset) + hit.length;
        }
        tiled = tiled && next == text.GetLength();
    }
    if (count < 0 || static_cast<uint32_t>(count) != data.blocks || !tiled)
        state.SkipWithError("the blocks differ from those generated");
    Report(state, count, ours, 0, text.GetLength());
    ReportSteps(state, text.GetLength(), [&](auto budgeted) {
        budgeted(
            [&](CStrRegexBudget* b) { text.Regex(kBlockPattern, "gi", nullptr, nullptr, nullptr, 0, nullptr, {}, b); });
    });
}

// (e) The writer's indentation of multi-line values: "\r\n" -> "\r\n\t\t".
void BM_CrlfIndent(benchmark::State& state)
{
    const CStr_base<16384>& text = DiskData(state.range(0)).text;
    uint32_t expectedCount = 0;
    std::string expected;
    const double pcre2 = MeanCpuSeconds(
        [&] { expected = Pcre2ReplaceAll("\r\n", text, text.GetLength(), "\r\n\t\t", &expectedCount); });
    const uint64_t expectedHash = Fnv1a(expected.data(), expected.size());
    const size_t expectedLength = expected.size();
    std::string().swap(expected);

    CStr_base<16384> subject;
    int32_t count = 0;
    double ours = 0;
    for (auto _ : state) {
        subject.Assign(text);
        const double seconds = Timed([&] { count = subject.Regex("\r\n", "g", nullptr, "\r\n\t\t"); });
        state.SetIterationTime(seconds);
        ours += seconds;
    }
    if (count < 0 || static_cast<uint32_t>(count) != expectedCount || subject.GetLength() != expectedLength ||
        Fnv1a(subject.GetBuffer(), subject.GetLength()) != expectedHash)
        state.SkipWithError("the output differs from PCRE2's");
    Report(state, count, ours, pcre2, text.GetLength());
    ReportSteps(state, text.GetLength(), [&](auto budgeted) {
        subject.Assign(text);
        budgeted(
            [&](CStrRegexBudget* b) { subject.Regex("\r\n", "g", nullptr, "\r\n\t\t", nullptr, 0, nullptr, {}, b); });
    });
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->ArgName("MB")->Arg(1)->Arg(16)->UseManualTime()->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_SparseLiteral)->Apply(Sizes);
BENCHMARK(BM_DigitRun)->Apply(Sizes);
BENCHMARK(BM_SettingsLines)->Apply(Sizes);
BENCHMARK(BM_DataFileBlocks)->Apply(Sizes);
BENCHMARK(BM_CrlfIndent)->Apply(Sizes);

BENCHMARK_MAIN();
