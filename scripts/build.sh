#!/usr/bin/env bash
# Configures and builds into build/ (Release with debug info, ccache when present): every
# target, or only the targets named as arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
# Paths relative to the checkout, so another clone of the same sources hits the cache too.
export CCACHE_BASEDIR="$PWD"
# Debug info names the build folder; without this every clone would miss the cache.
export CCACHE_NOHASHDIR=true
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build --parallel "$(nproc)" "${targets[@]}"
