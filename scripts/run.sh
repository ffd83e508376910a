#!/usr/bin/env bash
# Installs what is missing, builds and starts the program (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1000x24" build/app/marivolten "$@"
fi
exec build/app/marivolten "$@"
