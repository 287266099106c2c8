#!/usr/bin/env bash
# Speed and memory as a user meets them: whole processes, a fresh one for
# every run, timed from start to end (wall clock) with their peak resident
# memory, by bench/cold_run.cpp. Builds tavaro, cold_run and
# editor_cold_start (Release, in build-perf), uses the generated data files
# of 10,000 and 50,000 items in build-perf/data (made as
# run_document_bench.sh makes them) and a text of 16 MiB cut from the larger
# one at a line end (text-16MiB.txt, CR LF as on disk), and measures:
#   - "tavaro format -o OUT" and "tavaro info" on both files, against the
#     Perl yardstick "perl bench/perl/split-item-data.pl FILE OUT";
#   - "tavaro check" on both files (opening and the integrity check);
#   - "tavaro find FILE 職人" and "tavaro replace -o OUT FILE 職人 名人" on
#     both files (opening, the search or the replacement over every full
#     text, and for the replacement the write);
#   - "tavaro regex --options g --file TEXT item42" (a literal that occurs
#     about seven times a megabyte, as sparse as regex_bench's
#     BM_SparseLiteral) against "pcre2grep --no-jit --file-offsets item42 TEXT";
#   - the editor opening the 50,000-item file to a shown main window on the
#     offscreen platform (bench/editor_cold_start.cpp).
# The cases take turns, one run of each a round, so that a disturbance of
# the machine falls on all of them alike; the Perl yardstick has rounds of
# its own after them (its large processes would disturb the case behind).
# Prints the minimum and the median wall time and the peak memory of each
# case, then the goals (figures from the medians):
#   - format at most a fifth of the Perl script's time on the same file;
#   - format of 50,000 items at most 5.5 times that of 10,000;
#   - peak memory while opening (tavaro info) at most 5 times the file;
#   - the regex at most twice pcre2grep's time;
#   - the editor's start with the 50,000-item file under 0.5 s, and within
#     1.5 times "tavaro info" on the same file.
# A run that fails exits with status 1; a missed goal only with --check.
#
# Run it on an idle machine (see uptime). Environment: BUILD_DIR (default
# build-perf beside this folder), BENCH_RUNS runs of each case (default 5),
# BENCH_TIMEOUT seconds per process (default 300).
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
runs=${BENCH_RUNS:-5}

command -v pcre2grep >/dev/null || { echo "pcre2grep is missing (package pcre2-utils, see scripts/setup)" >&2; exit 1; }
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVARO_BENCH=ON -DTAVARO_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target tavaro cold_run editor_cold_start >/dev/null

"$here/data_gen/ensure-item-data.sh" "$data" 10000 50000
text=$data/text-16MiB.txt
if [ ! -s "$text" ]; then
    head -c $((16 << 20)) "$data/items-50000.cgi" | perl -0777 -pe 's/[^\n]*\z//' >"$text.tmp"
    mv "$text.tmp" "$text"
fi

work=$build/cold
rm -rf "$work"
mkdir -p "$work/editor"
trap 'rm -rf "$work"' EXIT

python3 - "$build" "$data" "$work" "$runs" "$check" "$here/perl/split-item-data.pl" "${BENCH_TIMEOUT:-300}" <<'PY'
import os, statistics, subprocess, sys

build, data, work, runs, check, perl_script, timeout = sys.argv[1:]
runs, check, timeout = int(runs), check == "1", int(timeout)
tavaro = os.path.join(build, "program", "tavaro")
cold_run = os.path.join(build, "bench", "cold_run")
editor = os.path.join(build, "bench", "editor_cold_start")
text = os.path.join(data, "text-16MiB.txt")
literal = "item42"
out = os.path.join(work, "out.cgi")
os.environ["QT_QPA_PLATFORM"] = "offscreen"  # the editor's platform

def items_file(n):
    return os.path.join(data, f"items-{n}.cgi")

cases = []  # (name, command, the file it reads)
for n in (10000, 50000):
    f = items_file(n)
    cases += [
        (f"tavaro format -o {n // 1000}k", [tavaro, "format", "-o", out, f], f),
        (f"tavaro info {n // 1000}k", [tavaro, "info", f], f),
        (f"tavaro check {n // 1000}k", [tavaro, "check", f], f),
        (f"tavaro find {n // 1000}k", [tavaro, "find", f, "職人"], f),
        (f"tavaro replace -o {n // 1000}k", [tavaro, "replace", "-o", out, f, "職人", "名人"], f),
    ]
cases += [
    ("tavaro regex 16 MiB", [tavaro, "regex", "--options", "g", "--file", text, literal], text),
    ("pcre2grep --no-jit 16 MiB", ["pcre2grep", "--no-jit", "--file-offsets", literal, text], text),
    ("editor shown 50k", [editor, os.path.join(work, "editor"), items_file(50000)], items_file(50000)),
]
# The Perl yardstick runs in rounds of its own, after the others: its
# processes of up to 780 MB leave the kernel fewer free huge pages for the
# heap of whatever runs right after them.
yardsticks = [(f"perl splitter {n // 1000}k", ["perl", perl_script, items_file(n), out], items_file(n))
              for n in (10000, 50000)]

# The regex and pcre2grep must find the same matches.
report = subprocess.run([tavaro, "regex", "--options", "g", "--file", text, literal], capture_output=True, check=True).stdout
ours = int(report.split(b"\n", 1)[0].split()[1])
theirs = len(subprocess.run(["pcre2grep", "--no-jit", "-o", literal, text], capture_output=True, check=True).stdout.splitlines())
if ours != theirs:
    sys.exit(f"tavaro regex found {ours} matches of {literal}, pcre2grep {theirs}")

results = {name: [] for name, _, _ in cases + yardsticks}
failed = False
rounds = [cases] * runs + [yardsticks] * runs
for run, round_cases in enumerate(rounds):
    print(f"round {run + 1} of {len(rounds)} ...", file=sys.stderr)
    for name, command, _ in round_cases:
        result = os.path.join(work, "result")
        if os.path.exists(result):
            os.remove(result)
        with open(os.path.join(work, "stderr"), "w+b") as err:
            try:
                subprocess.run([cold_run, result] + command, stdout=subprocess.DEVNULL, stderr=err, timeout=timeout)
            except subprocess.TimeoutExpired:
                print(f"{name}: no end within {timeout} s", file=sys.stderr)
                failed = True
                continue
            err.seek(0)
            message = err.read().decode(errors="replace")
        try:
            wall, rss_kb, status = open(result).read().split()
        except (OSError, ValueError):
            print(f"{name}: not run\n{message}", file=sys.stderr)
            failed = True
            continue
        if status != "0":
            print(f"{name}: exit status {status}\n{message}", file=sys.stderr)
            failed = True
            continue
        results[name].append((float(wall), int(rss_kb) / 1024))

def median(name):
    times = [t for t, _ in results[name]]
    return statistics.median(times) if times else None

header = ("process", "runs", "min s", "median s", "peak MB", "x file")
rows = []
for name, _, f in cases + yardsticks:
    got = results[name]
    if not got:
        rows.append((name, "0", "-", "-", "-", "-"))
        continue
    peak = max(r for _, r in got)
    size = os.path.getsize(f) / 2**20
    rows.append((name, str(len(got)), f"{min(t for t, _ in got):.3f}", f"{median(name):.3f}", f"{peak:.1f}",
                 f"{peak / size:.1f}"))

def peak_multiple(name, f):
    got = results[name]
    return max(r for _, r in got) / (os.path.getsize(f) / 2**20) if got else None

goals = []  # (goal, figure, limit, met)
def goal(label, value, limit):
    goals.append((label, "-" if value is None else f"{value:.2f}", f"<= {limit:g}",
                  value is not None and value <= limit))

for n in (10000, 50000):
    k = f"{n // 1000}k"
    ours, perl = median(f"tavaro format -o {k}"), median(f"perl splitter {k}")
    goal(f"format -o {k} / Perl", ours / perl if ours and perl else None, 0.2)
small, large = median("tavaro format -o 10k"), median("tavaro format -o 50k")
goal("format -o 50k / 10k", large / small if small and large else None, 5.5)
for n in (10000, 50000):
    goal(f"peak memory opening {n // 1000}k (info) / file", peak_multiple(f"tavaro info {n // 1000}k", items_file(n)), 5)
ours, theirs = median("tavaro regex 16 MiB"), median("pcre2grep --no-jit 16 MiB")
goal("regex 16 MiB / pcre2grep --no-jit", ours / theirs if ours and theirs else None, 2)
goal("editor shown with 50k (s)", median("editor shown 50k"), 0.5)
shown, opened = median("editor shown 50k"), median("tavaro info 50k")
goal("editor shown with 50k / tavaro info 50k", shown / opened if shown and opened else None, 1.5)

def table(header, rows):
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(str(c).ljust(w) for c, w in zip(row, widths)).rstrip())

table(header, rows)
print()
table(("goal", "figure", "limit", ""), [(g, v, l, "ok" if met else "MISSED") for g, v, l, met in goals])
missed = not all(met for *_, met in goals)
sys.exit(1 if failed or (check and missed) else 0)
PY
