#!/usr/bin/env bash
# Times the text engine on one capture against bare Tesseract with the same languages, in
# the three situations a desktop meets: the machine idle, every core busy with another
# process, four captures at once. Whole-process figures from /usr/bin/time (wall s, cpu s).
#
# usage: bench/ocr-threads.sh [IMAGE] [DRIVER]
#   IMAGE   default: the 25-row ruled case of the shared corpus
#   DRIVER  default: build/tools/vozudozev-extract
# OMP_THREAD_LIMIT is cleared: the point is what the library does without it. A run is
# stopped after LIMIT seconds (default 300); such a figure reads as "at least".
set -euo pipefail
cd "$(dirname "$0")/.."
image=${1:-/work/shared/corpus/case_018.png}
driver=${2:-build/tools/vozudozev-extract}
langs=vie+deu+eng  # what the text engine asks for ("vi", "en")
unset OMP_THREAD_LIMIT
runs=${RUNS:-3}

ours=("$driver" --engine text "$image")
bare=(tesseract "$image" - --psm 6 -l "$langs")

# Median wall and cpu seconds of runs of a command.
measure() {
    local label=$1; shift
    local walls=() cpus=()
    for ((i = 0; i < runs; ++i)); do
        local out
        out=$(mktemp)
        /usr/bin/time -o "$out" -f '%e %U %S' timeout "${LIMIT:-300}" "$@" >/dev/null 2>&1 || true
        # A failed or stopped run adds a "Command exited with non-zero status" line first.
        read -r wall user sys < <(tail -n 1 "$out")
        rm -f "$out"
        walls+=("$wall")
        cpus+=("$(echo "$user + $sys" | bc)")
    done
    local mw mc
    mw=$(printf '%s\n' "${walls[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    mc=$(printf '%s\n' "${cpus[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    printf '%-34s wall %7.2f s  cpu %7.2f s\n' "$label" "$mw" "$mc"
}

four() { "$@" & "$@" & "$@" & "$@" & wait; }

measure "alone: text engine" "${ours[@]}"
measure "alone: tesseract --psm 6" "${bare[@]}"

busy=()
for ((c = 0; c < $(nproc); ++c)); do
    sh -c 'while :; do :; done' &
    busy+=($!)
done
trap 'kill "${busy[@]}" 2>/dev/null || true' EXIT
measure "cores busy: text engine" "${ours[@]}"
measure "cores busy: tesseract --psm 6" "${bare[@]}"
kill "${busy[@]}" 2>/dev/null || true
trap - EXIT

export -f four
measure "four at once: text engine" bash -c "$(declare -f four); four ${ours[*]}"
measure "four at once: tesseract --psm 6" bash -c "$(declare -f four); four ${bare[*]}"
