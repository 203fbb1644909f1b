#!/usr/bin/env bash
# The real program beside another desktop editor, in one run on the same machine: each opens
# small.html, big.html and long-line.html under a private Xvfb at its default settings (a fresh
# home; this program's title screen and tip answered with Return), and the medians of window,
# ready (CPU flat for 500 ms) and peak memory are printed with the ratio of the ready times.
# The other editor is the first of kwrite, featherpad, mousepad and geany that is installed;
# without one, only this program is measured.
set -euo pipefail
build="${1:-build}"
files="${TOLVENRA_BENCH_FILES:-/tmp/tolvenra-bench}"
runs="${RUNS:-3}"
here="$(cd "$(dirname "$0")" && pwd)"
peerbench="$here/../../shared/tools/peerbench"
exe="$(cd "$build/src" && pwd)/tolvenra"
[ -f "$files/big.html" ] || python3 "$here/../../shared/tools/make_bench_files.py" "$files"
[ -x "$peerbench/measure.sh" ] || { echo "peer harness not found at $peerbench" >&2; exit 1; }

peer=""
for candidate in kwrite featherpad mousepad geany; do
    if command -v "$candidate" >/dev/null; then peer="$candidate"; break; fi
done

median() { grep 'median_of' | sed -E 's/.*window_ms=([0-9]+) ready_ms=([0-9]+) rss_mb=([0-9.]+).*/\1 \2 \3/' | tail -1; }

for f in small.html big.html long-line.html; do
    ours=$(BENCH_UID=0 BENCH_DISMISS=Return "$peerbench/measure.sh" tolvenra "$exe {file}" "$files/$f" "$runs" | median)
    read -r ow orr om <<<"$ours"
    if [ -n "$peer" ]; then
        theirs=$(BENCH_UID=0 BENCH_DISMISS=Escape "$peerbench/measure.sh" "$peer" "$peer {file}" "$files/$f" "$runs" | median)
        read -r pw pr pm <<<"$theirs"
        ratio=$(awk -v a="$orr" -v b="$pr" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')
        printf '%-16s tolvenra %5s / %6s ms %6s MB   %s %5s / %6s ms %6s MB   ready ratio %s\n' \
            "$f" "$ow" "$orr" "$om" "$peer" "$pw" "$pr" "$pm" "$ratio"
    else
        printf '%-16s tolvenra %5s / %6s ms %6s MB   (no other editor installed)\n' "$f" "$ow" "$orr" "$om"
    fi
done
