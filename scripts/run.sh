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
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/marivolten "${args[@]}"
fi
# xvfb-run tidies up only when the program ends by itself: a signal that ends xvfb-run first
# leaves its key, or its server, behind. So the key lives in the runtime folder and goes with
# this script, and xvfb-run runs apart from the terminal's Ctrl-C and hang-up: they, or a kill
# of this script, end the program, and xvfb-run then stops its server as on a quit.
auth=$(mktemp "$XDG_RUNTIME_DIR/xvfb-auth.XXXXXX")
trap 'rm -f "$auth"' EXIT
(trap '' HUP; exec xvfb-run -a -f "$auth" -s "-screen 0 1600x1000x24" build/app/marivolten "${args[@]}") &
run=$!
trap 'pkill -TERM -P "$run" -x marivolten || true' HUP INT TERM
status=0
wait "$run" || status=$?
# A trapped signal ends the wait early: wait again for xvfb-run itself.
while kill -0 "$run" 2>/dev/null; do
  status=0
  wait "$run" || status=$?
done
exit "$status"
