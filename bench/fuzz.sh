#!/usr/bin/env bash
# Fuzzes the readers of the program's files (the document decoder, line files, the settings
# file, stored fonts, plug-in and tip lines, macro expansion, table and project files, recovery
# copies, the preference bag, the scans over a page's text, the thin line parsers) with clang's
# libFuzzer, each for a bounded time, and prints the runs and findings of each. Inputs go up to
# 2 MB, and the seeds hold large files, so that the size checks and long lines are reached.
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
printf '|\r\n3|2\r\n16\r\nT\r\n\r\nTop\r\nRow 1 Height: 20\r\n0|0|a|b\r\n\r\n' >"$seeds/table.ttb"
printf 'Site\r\nindex.html\r\n\tabout.html\r\n\t\tteam.html\r\n' >"$seeds/site.tpr"
printf 'href\n<p>Caf&eacute; <a href="x">x</a> <A HREF=y>y</A><script>no</script></p>' >"$seeds/page.txt"
printf 'FORM_PLACE=10,20,300,200\r\nEDIT_COLOR=-5\r\nEDIT_FONT=0,0<12>-16;0:Sans\r\n' >"$seeds/bag.ini"
head -c 300000 /dev/zero | tr '\0' 'w' >"$seeds/long-word.txt"
python3 -c "import sys; sys.stdout.write('|\r\n500|500\r\n16\r\n\r\n\r\nTop\r\n' + ''.join('%d|%d|cell\r\n' % (c, r) for r in range(200) for c in range(200)))" >"$seeds/large.ttb"
cp data/*.plg data/TIPS.TXT data/standard.tpl data/help/keywords.txt "$seeds/" 2>/dev/null || true

status=0
for target in decode_document read_line_file read_settings read_small_formats read_table_and_project_files \
    read_recovery_and_bags scan_page_text read_line_formats; do
    log="build-fuzz/$target.log"
    corpus="build-fuzz/corpus-$target"
    mkdir -p "$corpus"
    set +e
    QT_QPA_PLATFORM=offscreen "build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$SECONDS_EACH" \
        -max_len=2097152 -rss_limit_mb=4096 -artifact_prefix="$out/$target-" "$corpus" "$seeds" >"$log" 2>&1
    rc=$?
    set -e
    runs=$(grep -Eo 'Done [0-9]+ runs' "$log" | grep -Eo '[0-9]+' || echo "?")
    findings=$(ls "$out" | grep -c "^$target-" || true)
    echo "$target: $runs runs, $findings findings (exit $rc)"
    [ "$rc" -ne 0 ] && status=1
done
exit $status
