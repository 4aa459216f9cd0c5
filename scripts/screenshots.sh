#!/usr/bin/env bash
# Renders every window and panel of Vantrel in English and Vietnamese, light and dark, into
# OUTDIR (default build/screenshots-suite/) with an index.html contact sheet.
# Extra options go to the renderer: --lang en|vi|en,vi  --theme light|dark|light,dark
set -euo pipefail
cd "$(dirname "$0")/.."
out="build/screenshots-suite"
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --lang|--theme) args+=("$1" "$2"); shift 2 ;;
    *) out="$1"; shift ;;
  esac
done
if [ ! -f build/build.ninja ]; then
  bash scripts/build.sh
else
  CCACHE_BASEDIR="$PWD" cmake --build build --target vantrel-screenshots
fi
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen build/tests/vantrel-screenshots "${args[@]}" "$out"
