#!/usr/bin/env bash
# A capture's whole time against one bare Tesseract recognition of the same image with the
# same languages, side by side in one run: per image the two take turns (ours, bare, ours,
# bare ...), and the ratio of their medians is printed per image and as the median over the
# images. Whole-process figures from /usr/bin/time: wall seconds and cpu (user + sys) seconds.
#
# usage: bench/capture-vs-tesseract.sh [IMAGE ...]
#   IMAGE   default: the screen captures among the test fixtures
# environment:
#   DRIVER   default build/tools/vozudozev-extract, run as a capture runs: --engine auto
#   BASELINE another driver (an earlier build) timed in the same turns, for a before/after
#            table from one run: its figures and ratios are printed after ours
#   RUNS     counted runs of each command per image (default 3), after one warm-up each
#   THREADS  OMP_THREAD_LIMIT for both (default 1: the library runs Tesseract on one
#            thread; "" leaves Tesseract's own default, its threads, to the bare run)
set -euo pipefail
cd "$(dirname "$0")/.."
driver=${DRIVER:-build/tools/vozudozev-extract}
baseline=${BASELINE:-}
runs=${RUNS:-3}
langs=vie+deu+eng  # what the document recogniser asks for ("vi", "en")
if [[ -n ${THREADS-1} ]]; then export OMP_THREAD_LIMIT=${THREADS-1}; else unset OMP_THREAD_LIMIT; fi
images=("$@")
if ((${#images[@]} == 0)); then
    images=(tests/fixtures/screen/*.png)
fi

# Wall and cpu seconds of one run of a command.
timed() {
    local out
    out=$(mktemp)
    /usr/bin/time -o "$out" -f '%e %U %S' "$@" >/dev/null 2>&1 || true
    awk '{ printf "%s %.3f\n", $1, $2 + $3 }' "$out"
    rm -f "$out"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

if [[ -n $baseline ]]; then
    printf '%-34s %15s %15s %13s %15s %13s\n' image "ours wall/cpu" "bare wall/cpu" "ratio w/c" "base wall/cpu" "base ratio"
else
    printf '%-34s %15s %15s %13s\n' image "ours wall/cpu" "bare wall/cpu" "ratio w/c"
fi
ratios=$(mktemp)
baseRatios=$(mktemp)
for image in "${images[@]}"; do
    ours=("$driver" --engine auto "$image")
    bare=(tesseract "$image" - --psm 6 -l "$langs")
    base=("$baseline" --engine auto "$image")
    timed "${ours[@]}" >/dev/null
    timed "${bare[@]}" >/dev/null
    a=$(mktemp)
    b=$(mktemp)
    c=$(mktemp)
    for ((i = 0; i < runs; ++i)); do
        timed "${ours[@]}" >>"$a"
        timed "${bare[@]}" >>"$b"
        if [[ -n $baseline ]]; then timed "${base[@]}" >>"$c"; fi
    done
    aw=$(cut -d' ' -f1 "$a" | median)
    ac=$(cut -d' ' -f2 "$a" | median)
    bw=$(cut -d' ' -f1 "$b" | median)
    bc=$(cut -d' ' -f2 "$b" | median)
    ratio() { awk -v x="$1" -v y="$2" 'BEGIN { printf "%.2f", (y > 0 ? x / y : 0) }'; }
    rw=$(ratio "$aw" "$bw")
    rc=$(ratio "$ac" "$bc")
    echo "$rw $rc" >>"$ratios"
    line=$(printf '%-34s %7.2f/%-7.2f %7.2f/%-7.2f %6s/%-6s' "$(basename "$image")" "$aw" "$ac" "$bw" "$bc" "$rw" "$rc")
    if [[ -n $baseline ]]; then
        cw=$(cut -d' ' -f1 "$c" | median)
        cc=$(cut -d' ' -f2 "$c" | median)
        echo "$(ratio "$cw" "$bw") $(ratio "$cc" "$bc")" >>"$baseRatios"
        line+=$(printf ' %7.2f/%-7.2f %6s/%-6s' "$cw" "$cc" "$(ratio "$cw" "$bw")" "$(ratio "$cc" "$bc")")
    fi
    rm -f "$a" "$b" "$c"
    echo "$line"
done
summary=$(printf '%-34s %31s %6s/%-6s' "median of ${#images[@]} images" "" "$(cut -d' ' -f1 "$ratios" | median)" \
    "$(cut -d' ' -f2 "$ratios" | median)")
if [[ -n $baseline ]]; then
    summary+=$(printf ' %15s %6s/%-6s' "" "$(cut -d' ' -f1 "$baseRatios" | median)" "$(cut -d' ' -f2 "$baseRatios" | median)")
fi
echo "$summary"
rm -f "$ratios" "$baseRatios"
