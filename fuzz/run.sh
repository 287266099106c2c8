#!/usr/bin/env bash
# Builds the fuzz targets (clang, in build-fuzz) and runs each one for
# SECONDS seconds (default 60) from its seed corpus in corpus/<name>/.
#
#   fuzz/run.sh [SECONDS]
#   fuzz/run.sh --runs N [SECONDS]
#
# With SECONDS = 0 nothing is fuzzed: every seed is run once (the
# regression check for CI; it takes a second or two). With --runs, each
# target stops after N new inputs, or after SECONDS (default 15) when that
# comes first, so that a test run stays bounded on a slow machine; the
# runs start from a fresh folder each time. New inputs found while
# fuzzing go to build-fuzz/corpus/<name>/, crashes, time-outs and
# out-of-memory inputs to build-fuzz/artifacts/<name>/; the seed folders are
# only read. Environment: BUILD_DIR overrides the build folder.
set -euo pipefail

runs=0
if [ "${1:-}" = --runs ]; then
    runs=$2
    shift 2
    seconds=${1:-15}
else
    seconds=${1:-60}
fi
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${BUILD_DIR:-$root/build-fuzz}
targets="cp932 regex settings reader kept_save undo project_info rule item_rules use_rules event_rules arrangement func_rules page_guard check sort find list_filter"

CXX=${CXX:-clang++} cmake -S "$root" -B "$build" -DTAVARO_FUZZ=ON -DTAVARO_TESTS=OFF >/dev/null
for target in $targets; do
    cmake --build "$build" -j2 --target "${target}_fuzzer" >/dev/null
done

status=0
for target in $targets; do
    fuzzer=$build/fuzz/${target}_fuzzer
    seeds=$here/corpus/$target
    if [ "$seconds" -eq 0 ]; then
        echo "== $target: replaying $(ls "$seeds" | wc -l) seeds"
        "$fuzzer" "$seeds"/* >/dev/null 2>"$build/$target-regression.log" || {
            status=1
            cat "$build/$target-regression.log" >&2
        }
        continue
    fi
    work=$build/corpus/$target
    artifacts=$build/artifacts/$target
    limit=()
    if [ "$runs" -gt 0 ]; then
        work=$build/runs/$target
        rm -rf "$work"
        limit=(-runs="$runs")
        echo "== $target: fuzzing for $runs runs or $seconds s"
    else
        echo "== $target: fuzzing for $seconds s"
    fi
    mkdir -p "$work" "$artifacts"
    # A rule file needs its sections and keys before it reaches the fields.
    max_len=256
    [ "$target" = rule ] && max_len=1024
    # The page rules take the reader's dictionary when they have none.
    dict=$here/$target.dict
    [ -f "$dict" ] || dict=$here/reader.dict
    "$fuzzer" "${limit[@]}" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
        -dict="$dict" -artifact_prefix="$artifacts/" -print_final_stats=1 \
        "$work" "$seeds" || status=1
done
exit $status
