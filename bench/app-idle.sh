#!/usr/bin/env bash
# Idle cost of the running tray application: CPU share of one core over a quiet period
# after the engine has warmed up, and resident memory. Runs under its own Xvfb.
#   bench/app-idle.sh [build/Kestrow/vantrel] [seconds]
set -euo pipefail
app=${1:-build/Kestrow/vantrel}
seconds=${2:-10}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run OMP_THREAD_LIMIT=1
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 2880x1800x24" bash -c '
  "$0" 2>"$HOME/log" & pid=$!
  for i in $(seq 1 120); do grep -q "engine loaded" "$HOME/log" && break; sleep 0.5; done
  sleep 2
  tick=$(getconf CLK_TCK)
  cpu() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
  a=$(cpu); sleep "$1"; b=$(cpu)
  rss=$(awk "/VmRSS/ {print \$2}" /proc/$pid/status)
  awk -v a="$a" -v b="$b" -v t="$tick" -v s="$1" -v r="$rss" \
    "BEGIN { printf \"idle CPU %.2f %% of one core over %d s, resident %.1f MB\\n\", 100*(b-a)/t/s, s, r/1024 }"
  kill $pid; wait $pid 2>/dev/null || true
' "$app" "$seconds"
