#!/usr/bin/env bash
# Makes the generated data files the benchmarks share: for each count N,
# DATA_DIR/items-N.cgi from gen-item-data.pl, unless it is already there.
#
#   bench/data_gen/ensure-item-data.sh DATA_DIR N...
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
data=$1
shift
mkdir -p "$data"
for items in "$@"; do
    file=$data/items-$items.cgi
    if [ ! -s "$file" ]; then
        echo "generating $items items ..." >&2
        perl "$here/gen-item-data.pl" "$items" >"$file.tmp"
        mv "$file.tmp" "$file"
    fi
done
