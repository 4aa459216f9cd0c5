#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks what a desktop needs from it, and starts the
# installed program the way its desktop entry does, under a private X server, far from the build.
set -euo pipefail
build=$(cd "$1" && pwd)
tmp=$(mktemp -d)
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$tmp"; }
trap cleanup EXIT
fail() { echo "install test: $*" >&2; [ -f "$tmp/log" ] && sed 's/^/  | /' "$tmp/log" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
desktop-file-validate "$prefix/share/applications/vantrel.desktop" || fail "the desktop entry is not valid"
for file in bin/vantrel share/icons/hicolor/scalable/apps/vantrel.svg \
            share/vantrel/Fonts/Inter-Regular.otf share/vantrel/Fonts/Inter-LICENSE.txt \
            share/vantrel/Samples/sample-table.png share/vantrel/Samples/sample-table-light.png \
            share/vantrel/Samples/sample-table-dark.png share/vantrel/Icons/mark-main-light.svg; do
  [ -s "$prefix/$file" ] || fail "$file is missing"
done
for size in 16 22 24 32 48 64 128 256 512; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/vantrel.png
  [ -s "$png" ] || fail "the ${size}px icon is missing"
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "the ${size}px icon has the wrong size"
done

# The entry's command, run with the prefix on PATH as a session would; nothing of the build tree
# or the user's folders is visible to it.
command=$(sed -n 's/^Exec=//p' "$prefix/share/applications/vantrel.desktop")
[ "$command" = vantrel ] || fail "unexpected Exec line: $command"
mkdir -m 0700 "$tmp/home" "$tmp/run"
cd "$tmp"
env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" \
    XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share" \
    XDG_CACHE_HOME="$tmp/home/.cache" OMP_THREAD_LIMIT=1 \
    xvfb-run -a -s "-screen 0 1024x768x24" "$command" >"$tmp/log" 2>&1 &
pid=$!
for _ in $(seq 1 600); do
  grep -q "Vantrel: engine loaded" "$tmp/log" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || fail "the installed program ended early"
  sleep 0.1
done
grep -q "Vantrel: engine loaded" "$tmp/log" || fail "the installed program did not load its engine"
grep -q "Vantrel: resources at $prefix/share/vantrel, 4 fonts" "$tmp/log" ||
  fail "the installed program did not use its own resources"
echo "install test: passed"
