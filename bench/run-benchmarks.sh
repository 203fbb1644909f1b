#!/usr/bin/env bash
# Runs the benchmarks: start-up of the real program (to the title screen, and to ready with
# big.html on the command line) and the in-process measures of tolvenra_bench.
set -euo pipefail
build="${1:-build}"
files="${TOLVENRA_BENCH_FILES:-/tmp/tolvenra-bench}"
here="$(cd "$(dirname "$0")" && pwd)"
shared="$here/../../shared/tools/make_bench_files.py"
[ -f "$files/big.html" ] || python3 "$shared" "$files"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
python3 "$here/startup.py" "$build/src/tolvenra" "$files"
# The editor runs with huge pages requested for its heap (see src/launcher.c); so does this.
GLIBC_TUNABLES="${GLIBC_TUNABLES:+$GLIBC_TUNABLES:}glibc.malloc.hugetlb=1" "$build/bench/tolvenra_bench" "$files"
# The real program beside another installed editor, under Xvfb, when the peer harness is there.
if [ -x "$here/../../shared/tools/peerbench/measure.sh" ] && command -v Xvfb >/dev/null; then
    "$here/peers.sh" "$build"
fi
