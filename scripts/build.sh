#!/usr/bin/env bash
# Configures and builds into build/ (Release with debug info), JOBS jobs at once.
set -euo pipefail
source "$(dirname "$0")/env.sh"
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -j"$jobs"
