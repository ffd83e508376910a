#!/usr/bin/env bash
# Installs what is missing, builds and runs every test, JOBS at once (default one a core).
set -euo pipefail
source "$(dirname "$0")/env.sh"
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build && ctest --output-on-failure -j"$jobs"
