#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 600
# The fuzz harnesses over their committed corpus and the shared hostile inputs.
bash scripts/fuzz.sh all 0
