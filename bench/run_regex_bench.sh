#!/usr/bin/env bash
# Builds regex_bench (Release, in build-bench) and runs every benchmark at
# 1 MB and 16 MB, each in a process of its own so that the peak memory read
# at its end belongs to that benchmark alone. Prints one table row per
# benchmark and checks the goals:
#   - time at 16 MB at most 20 times the time at 1 MB (linear in the text);
#     a benchmark above that whose PCRE2 yardstick grew nearly as much (our
#     growth at most 1.5 times PCRE2's) is only noted: a scan at memory speed
#     slows down once the text no longer fits in the caches;
#   - at most 3x PCRE2's interpreter for the sparse literal and the CRLF
#     replacement, 5x for the digit runs;
#   - peak resident memory at 16 MB at most 8 times the text;
#   - the work at 16 MB takes at most a tenth of the steps of the default
#     budget of patterns from the user (kStrRegexDefaultSteps, 10^9).
# Exits with status 1 when a benchmark fails its check or misses a goal.
#
# Every figure is the median of BENCH_REPETITIONS runs (default 3).
# Environment: BUILD_DIR (default: build-bench beside this folder),
# BENCH_TIMEOUT seconds per process (default 900), BENCH_ARGS extra
# arguments for regex_bench (e.g. --benchmark_min_time=2).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${BUILD_DIR:-$root/build-bench}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAVARO_BENCH=ON -DTAVARO_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target regex_bench >/dev/null

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

benchmarks="SparseLiteral DigitRun SettingsLines DataFileBlocks CrlfIndent"
for name in $benchmarks; do
    for mb in 1 16; do
        echo "running BM_$name at $mb MB ..." >&2
        # shellcheck disable=SC2086
        timeout "${BENCH_TIMEOUT:-900}" "$build/bench/regex_bench" \
            --benchmark_filter="^BM_${name}/MB:${mb}/" \
            --benchmark_repetitions="${BENCH_REPETITIONS:-3}" --benchmark_report_aggregates_only=true \
            --benchmark_out="$results/$name-$mb.json" --benchmark_out_format=json \
            ${BENCH_ARGS:-} >/dev/null 2>"$results/$name-$mb.log" ||
            { echo "BM_$name at $mb MB: exit status $?" >&2; cat "$results/$name-$mb.log" >&2; }
    done
done

python3 - "$results" $benchmarks <<'PY'
import json, os, sys

folder, names = sys.argv[1], sys.argv[2:]
pcre2_goal = {"SparseLiteral": 3.0, "DigitRun": 5.0, "CrlfIndent": 3.0}
default_steps = 1e9  # kStrRegexDefaultSteps in src/pattern/regex_budget.h

def load(name, mb):
    path = os.path.join(folder, f"{name}-{mb}.json")
    try:
        with open(path) as f:
            runs = json.load(f)["benchmarks"]
    except (OSError, ValueError, KeyError):
        return None
    medians = [r for r in runs if r.get("aggregate_name") == "median"]
    return (medians or runs or [None])[0]

def fmt(value, spec):
    return "-" if value is None else format(value, spec)

header = ("benchmark", "1MB ms", "16MB ms", "16/1", "PCRE2 16/1", "vs PCRE2 1MB", "vs PCRE2 16MB",
          "RSS 1MB", "RSS 16MB", "RSS/text", "steps/B", "goals")
rows, failed = [], False
for name in names:
    small, large = load(name, 1), load(name, 16)
    problems, notes = [], []
    for mb, run in ((1, small), (16, large)):
        if run is None:
            problems.append(f"no result at {mb} MB")
        elif run.get("error_occurred"):
            problems.append(f"{mb} MB: {run.get('error_message')}")
    ok = lambda run: run is not None and not run.get("error_occurred")
    t1 = small["real_time"] if ok(small) else None
    t16 = large["real_time"] if ok(large) else None
    growth = t16 / t1 if t1 and t16 is not None else None
    p1 = small.get("pcre2_ms") if ok(small) else None
    p16 = large.get("pcre2_ms") if ok(large) else None
    pcre2_growth = p16 / p1 if p1 and p16 is not None else None
    if growth is not None and growth > 20:
        if pcre2_growth is not None and growth <= 1.5 * pcre2_growth:
            notes.append(f"16/1 {growth:.1f} > 20, PCRE2 {pcre2_growth:.1f}: memory-bound")
        else:
            problems.append(f"16/1 {growth:.1f} > 20")
    v1 = small.get("vs_pcre2") if ok(small) else None
    v16 = large.get("vs_pcre2") if ok(large) else None
    goal = pcre2_goal.get(name)
    if goal is not None:
        worst = max(v for v in (v1, v16) if v is not None) if (v1 or v16) else None
        if worst is not None and worst > goal:
            problems.append(f"vs PCRE2 {worst:.2f} > {goal:g}")
    r1 = small.get("peak_rss_MB") if ok(small) else None
    r16 = large.get("peak_rss_MB") if ok(large) else None
    multiple = r16 / large["text_MB"] if r16 is not None else None
    if multiple is not None and multiple > 8:
        problems.append(f"RSS {multiple:.1f}x text > 8x")
    steps = large.get("steps_per_byte") if ok(large) else None
    if steps is not None and steps * large["text_MB"] * 2**20 * 10 > default_steps:
        problems.append(f"{steps:.2f} steps/B: over a tenth of the budget at 16 MB")
    failed = failed or bool(problems)
    rows.append((name, fmt(t1, ".3f"), fmt(t16, ".3f"), fmt(growth, ".1f"), fmt(pcre2_growth, ".1f"),
                 fmt(v1, ".2f"), fmt(v16, ".2f"), fmt(r1, ".1f"), fmt(r16, ".1f"), fmt(multiple, ".1f"), fmt(steps, ".2f"),
                 "; ".join(problems) or "; ".join(["ok"] + notes)))

widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
for row in [header] + rows:
    print("  ".join(str(c).ljust(w) for c, w in zip(row, widths)).rstrip())
sys.exit(1 if failed else 0)
PY
