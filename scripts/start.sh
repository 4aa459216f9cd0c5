#!/usr/bin/env bash
# Sets up a fresh machine, builds, and starts Vantrel in the system tray.
# Started without a display it says so and stops. Driver arguments (an image file and
# options) run the table extraction on that image instead and print the table.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# Only the application, the driver and what they read: the tests are built by test.sh.
bash scripts/build.sh vantrel vozudozev-extract sample-pictures app-icons
if [ $# -gt 0 ]; then
  exec build/tools/vozudozev-extract "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Vantrel: no display to show on (DISPLAY is not set); start it from a desktop session" >&2
  exit 1
fi
exec build/Kestrow/vantrel
