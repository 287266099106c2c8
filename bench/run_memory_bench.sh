#!/usr/bin/env bash
# What an element costs in memory. Builds tavaro, cold_run and
# element_memory_bench (Release, in build-perf), makes the files of
# bench/data_gen/gen-sparse-data.pl in build-perf/data (1,000,000 bare use
# entries in one item, 1,000,000 bare items, 1,000,000 bare events, 10,000
# small items of about 400 bytes) beside the generated items-10000.cgi, and
# measures:
#   - in one process, the heap the document of each file holds
#     (element_memory_bench: usable sizes of its blocks, per element and
#     per byte of the file);
#   - as whole processes, "tavaro info FILE" on each file and on a file of
#     one bare item (the program's own memory), BENCH_RUNS times (default
#     3): the peak resident memory, its multiple of the file, and per
#     element the peak less the program's own, over the elements; "net x
#     file" is the peak less the program's own over the file.
# Goals (whole processes): a bare use entry, item or event at most about
# 200 bytes (the script allows 210); 10,000 small items at most 5 times
# the file, net of the program's own memory (about 5 MB, which a file of
# 3.6 MB would otherwise count more than once). A run that fails exits
# with status 1; a missed goal only with --check. Environment: BUILD_DIR (default build-perf beside this folder),
# BENCH_RUNS, BENCH_TIMEOUT seconds per process (default 300).
set -euo pipefail

check=0
case "${1:-}" in
--check) check=1 ;;
"") ;;
*) echo "usage: $0 [--check]" >&2; exit 64 ;;
esac

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${BUILD_DIR:-$root/build-perf}
data=$build/data
runs=${BENCH_RUNS:-3}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVARO_BENCH=ON -DTAVARO_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target tavaro cold_run element_memory_bench >/dev/null

"$here/data_gen/ensure-item-data.sh" "$data" 10000
for spec in bare-uses:1000000 bare-items:1000000 bare-events:1000000 small-items:10000; do
    file=$data/sparse-${spec%%:*}-${spec##*:}.cgi
    if [ ! -s "$file" ]; then
        perl "$here/data_gen/gen-sparse-data.pl" "${spec%%:*}" "${spec##*:}" >"$file.tmp"
        mv "$file.tmp" "$file"
    fi
done
printf '@@ITEM\r\n' >"$data/sparse-one-item.cgi"

echo "heap of the document (in process) ..." >&2
"$build/bench/element_memory_bench" --data_dir="$data" --benchmark_counters_tabular=true

python3 - "$build" "$data" "$runs" "$check" "${BENCH_TIMEOUT:-300}" <<'PY'
import os, subprocess, sys, tempfile

build, data, runs, check, timeout = sys.argv[1:]
runs, check, timeout = int(runs), check == "1", int(timeout)
tavaro = os.path.join(build, "program", "tavaro")
cold_run = os.path.join(build, "bench", "cold_run")

# (name, file, elements, the goal: bytes an element or multiple of the file)
cases = [
    ("one bare item (the program)", "sparse-one-item.cgi", 1, None),
    ("bare use entries", "sparse-bare-uses-1000000.cgi", 1000000, ("B each", 210)),
    ("bare items", "sparse-bare-items-1000000.cgi", 1000000, ("B each", 210)),
    ("bare events", "sparse-bare-events-1000000.cgi", 1000000, ("B each", 210)),
    ("small items", "sparse-small-items-10000.cgi", 10000, ("net x file", 5)),
    ("generated items", "items-10000.cgi", 10000, None),
]

peaks = {}
failed = False
with tempfile.TemporaryDirectory() as work:
    result = os.path.join(work, "result")
    for run in range(runs):
        print(f"round {run + 1} of {runs} ...", file=sys.stderr)
        for name, f, _, _ in cases:
            if os.path.exists(result):
                os.remove(result)
            try:
                subprocess.run([cold_run, result, tavaro, "info", os.path.join(data, f)],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout)
                _, rss_kb, status = open(result).read().split()
            except (subprocess.TimeoutExpired, OSError, ValueError):
                print(f"{name}: not run to its end", file=sys.stderr)
                failed = True
                continue
            if status != "0":
                print(f"{name}: exit status {status}", file=sys.stderr)
                failed = True
                continue
            peaks[name] = max(peaks.get(name, 0), int(rss_kb) * 1024)

program = peaks.get(cases[0][0])
rows, goals = [], []
for name, f, elements, goal in cases:
    size = os.path.getsize(os.path.join(data, f))
    peak = peaks.get(name)
    if peak is None:
        rows.append((name, f"{size / 2**20:.1f}", "-", "-", "-", "-"))
        continue
    each = (peak - program) / elements if program and elements > 1 else None
    net = (peak - program) / size if program and elements > 1 else None
    rows.append((name, f"{size / 2**20:.1f}", f"{peak / 2**20:.1f}", f"{peak / size:.1f}",
                 "-" if net is None else f"{net:.1f}", "-" if each is None else f"{each:.0f}"))
    if goal:
        unit, limit = goal
        value = each if unit == "B each" else net
        goals.append((f"{name}: {unit}", "-" if value is None else f"{value:.1f}", f"<= {limit:g}",
                      value is not None and value <= limit))

def table(header, rows):
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(str(c).ljust(w) for c, w in zip(row, widths)).rstrip())

table(("tavaro info", "file MB", "peak MB", "x file", "net x file", "B each"), rows)
print()
table(("goal", "figure", "limit", ""), [(g, v, l, "ok" if met else "MISSED") for g, v, l, met in goals])
missed = not all(met for *_, met in goals)
sys.exit(1 if failed or (check and missed) else 0)
PY
