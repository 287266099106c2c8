#!/usr/bin/env bash
# How long a find whose pattern never finishes takes to stop, as a user
# meets it: whole processes of "tavaro find --method pattern FILE
# %*0j%*0j%*0jx" (three nested "*" elements try every split of every
# element's full text, and no text holds an "x"), timed from start to end
# (wall clock) with their peak resident memory by bench/cold_run.cpp. One
# budget of 1,000,000,000 steps holds for the whole run, so each must end
# with exit status 65 (over the budget) after about the same time, however
# many elements the file holds. Files:
#   - items-170B-100.cgi: 100 items of 170 bytes each (made here);
#   - the sample examples/inc-item-data.cgi;
#   - items-50000.cgi of bench/data_gen (made as run_document_bench.sh
#     makes it).
# Builds tavaro and cold_run (Release, in build-perf). Prints the minimum
# and the median wall time, the peak memory and the exit status.
# A run that does not end with status 65 exits with status 1.
#
# Environment: BUILD_DIR (default build-perf beside this folder), BENCH_RUNS
# runs of each case (default 3), BENCH_TIMEOUT seconds per process (default
# 300), TAVARO another tavaro program to measure (its runs may end with any
# status; e.g. one built before the budget held for the whole run).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${BUILD_DIR:-$root/build-perf}
data=$build/data
runs=${BENCH_RUNS:-3}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVARO_BENCH=ON -DTAVARO_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target tavaro cold_run >/dev/null

"$here/data_gen/ensure-item-data.sh" "$data" 50000
small=$data/items-170B-100.cgi
if [ ! -s "$small" ]; then
    # "@@ITEM", no, type, code, name, price and an info padded to 170 bytes
    # in all, CR LF line ends; no "x" anywhere.
    perl -e 'for my $n (1 .. 100) {
        my $item = sprintf("\@\@ITEM\r\n\tno\t%d\r\n\ttype\t1\r\n\tcode\tc%05d\r\n\tname\tname%05d\r\n\tprice\t100\r\n\tinfo\t", $n, $n, $n);
        print $item, "a" x (170 - length($item) - 2), "\r\n";
    }' >"$small.tmp"
    mv "$small.tmp" "$small"
fi

work=$build/budget
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

python3 - "${TAVARO:-$build/program/tavaro}" "$build/bench/cold_run" "$work" "$runs" "${BENCH_TIMEOUT:-300}" \
    "${TAVARO:+any}" "$small" "$root/examples/inc-item-data.cgi" "$data/items-50000.cgi" <<'PY'
import os, statistics, subprocess, sys

tavaro, cold_run, work, runs, timeout, any_status = sys.argv[1:7]
files = sys.argv[7:]
runs, timeout = int(runs), int(timeout)
names = ["100 items of 170 B", "the sample", "50,000 items"]
pattern = "%*0j%*0j%*0jx"

results = {name: [] for name in names}
failed = False
for run in range(runs):
    print(f"round {run + 1} of {runs} ...", file=sys.stderr)
    for name, f in zip(names, files):
        result = os.path.join(work, "result")
        if os.path.exists(result):
            os.remove(result)
        command = [cold_run, result, tavaro, "find", "--method", "pattern", f, pattern]
        try:
            subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout)
        except subprocess.TimeoutExpired:
            print(f"{name}: no end within {timeout} s", file=sys.stderr)
            failed = True
            continue
        wall, rss_kb, status = open(result).read().split()
        if status != "65" and not any_status:
            print(f"{name}: exit status {status}, not 65", file=sys.stderr)
            failed = True
        results[name].append((float(wall), int(rss_kb) / 1024, status))

header = ("file", "runs", "min s", "median s", "peak MB", "status")
rows = []
for name, f in zip(names, files):
    got = results[name]
    if not got:
        rows.append((name, "0", "-", "-", "-", "-"))
        continue
    times = [t for t, _, _ in got]
    rows.append((name, str(len(got)), f"{min(times):.2f}", f"{statistics.median(times):.2f}",
                 f"{max(r for _, r, _ in got):.1f}", ",".join(sorted({s for _, _, s in got}))))
widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
for row in [header] + rows:
    print("  ".join(str(c).ljust(w) for c, w in zip(row, widths)).rstrip())
sys.exit(1 if failed else 0)
PY
