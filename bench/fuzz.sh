#!/usr/bin/env bash
# Fuzzes the readers of the program's files (the document decoder, line files, the settings
# file, stored fonts, plug-in and tip lines, macro expansion) with clang's libFuzzer, each for a
# bounded time, and prints the runs and findings of each.
#   bench/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-60}"

if ! command -v clang++ >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVENRA_FUZZ=ON >/dev/null
cmake --build build-fuzz

out=build-fuzz/findings
mkdir -p "$out"
# Seeds: pages in each encoding and the program's own shipped files.
seeds=build-fuzz/seeds
rm -rf "$seeds" && mkdir -p "$seeds"
printf '<html><meta charset="koi8-r"><p>\xF0\xD2</p></html>\r\n' >"$seeds/koi8.html"
printf '\xFF\xFE<\0p\0>\0' >"$seeds/utf16.html"
printf '[Application Header]\r\nUser Name=Ren\xE9\r\n[MRU]\r\n0=/a.html\r\n' >"$seeds/settings.ini"
printf '0,0<12>-16;0:Sans\n' >"$seeds/font.txt"
cp data/*.plg data/TIPS.TXT data/standard.tpl "$seeds/" 2>/dev/null || true

status=0
for target in decode_document read_line_file read_settings read_small_formats; do
    log="build-fuzz/$target.log"
    corpus="build-fuzz/corpus-$target"
    mkdir -p "$corpus"
    set +e
    QT_QPA_PLATFORM=offscreen "build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$SECONDS_EACH" \
        -max_len=65536 -artifact_prefix="$out/$target-" "$corpus" "$seeds" >"$log" 2>&1
    rc=$?
    set -e
    runs=$(grep -Eo 'Done [0-9]+ runs' "$log" | grep -Eo '[0-9]+' || echo "?")
    findings=$(ls "$out" | grep -c "^$target-" || true)
    echo "$target: $runs runs, $findings findings (exit $rc)"
    [ "$rc" -ne 0 ] && status=1
done
exit $status
