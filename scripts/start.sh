#!/usr/bin/env bash
# Sets up a fresh machine, builds, and starts Vantrel.
# The desktop application comes later; until then this runs the table extraction on the
# sample image (or on the driver arguments given) and prints the recognised table.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
echo "Vantrel: the desktop application comes later; extracting the sample table instead." >&2
if [ $# -eq 0 ]; then
  set -- --format md Resources/Samples/sample-table.png
fi
exec build/tools/vozudozev-extract "$@"
