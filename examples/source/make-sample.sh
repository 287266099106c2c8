#!/bin/sh
# Regenerates the example data files and rule files from their UTF-8 sources:
#
#   source/inc-item-data.utf8.txt            -> inc-item-data.cgi
#   source/inc-item-data-ext.utf8.txt        -> inc-item-data-ext.cgi
#   source/makeitem_rules/NAME.sir.utf8.txt  -> makeitem_rules/NAME.sir
#
# Each output is CP932 (Shift-JIS) with CR LF line ends, as the game and the
# editor keep them. After writing, every output is decoded again and compared
# with its source, and checked for line ends other than CR LF.
#
# Usage: examples/source/make-sample.sh        (from any folder)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=$(dirname "$here")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# convert SRC DST: UTF-8 with LF (a CR before LF is dropped first) to CP932
# with CR LF; the source must end with a line feed.
convert() {
    src=$1
    dst=$2
    if [ -n "$(tail -c 1 "$src")" ]; then
        echo "make-sample: $src does not end with a line feed" >&2
        exit 1
    fi
    sed 's/\r$//' "$src" > "$tmp/lf"
    iconv -f UTF-8 -t CP932 "$tmp/lf" > "$tmp/sjis"
    sed 's/$/\r/' "$tmp/sjis" > "$tmp/crlf"
    check "$tmp/lf" "$tmp/crlf" "$dst"
    mv "$tmp/crlf" "$dst"
    echo "wrote $dst ($(wc -l < "$dst") lines, $(wc -c < "$dst") bytes)"
}

# check LF_SOURCE CRLF_OUTPUT NAME: the output decodes back to the source,
# every line ends in CR LF and there is no other CR.
check() {
    iconv -f CP932 -t UTF-8 "$2" | sed 's/\r$//' > "$tmp/back"
    if ! cmp -s "$1" "$tmp/back"; then
        echo "make-sample: $3 does not decode back to its source" >&2
        exit 1
    fi
    lines=$(tr -cd '\n' < "$2" | wc -c)
    crlf=$(LC_ALL=C grep -c "$(printf '\r')\$" "$2" || true)
    crs=$(tr -cd '\r' < "$2" | wc -c)
    if [ "$lines" -ne "$crlf" ] || [ "$crs" -ne "$lines" ]; then
        echo "make-sample: $3 has line ends other than CR LF" >&2
        exit 1
    fi
}

convert "$here/inc-item-data.utf8.txt" "$out/inc-item-data.cgi"
convert "$here/inc-item-data-ext.utf8.txt" "$out/inc-item-data-ext.cgi"

mkdir -p "$out/makeitem_rules"
for src in "$here"/makeitem_rules/*.sir.utf8.txt; do
    name=$(basename "$src" .utf8.txt)
    convert "$src" "$out/makeitem_rules/$name"
done
