#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
# Qt's runtime folder in the build, not a new one in the temporary folder.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$PWD/build/runtime"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
cd build && ctest --output-on-failure -j"$(nproc)"
