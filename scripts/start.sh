#!/usr/bin/env bash
# Sets up a fresh machine, builds, and starts Vantrel.
# The desktop application comes later; until then this runs the table extraction
# on a sample image and prints the recognised table as JSON.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
echo "Vantrel: the desktop application comes later; extracting the sample table instead." >&2
exec build/tools/vozudozev-extract "${1:-Resources/Samples/sample-table.png}"
