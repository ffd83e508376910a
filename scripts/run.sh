#!/usr/bin/env bash
# Installs what is missing, builds (JOBS jobs at once) and starts the program (under Xvfb when
# there is no display).
# Arguments go to the program; a design file named relative to the caller's folder is found.
set -euo pipefail
args=()
for a in "$@"; do
  if [ -e "$a" ]; then args+=("$(realpath "$a")"); else args+=("$a"); fi
done
source "$(dirname "$0")/env.sh"
scripts/setup.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1000x24" build/app/marivolten "${args[@]}"
fi
exec build/app/marivolten "${args[@]}"
