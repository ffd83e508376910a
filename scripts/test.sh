#!/usr/bin/env bash
# Installs what is missing, builds and runs every test, JOBS at once (default one a core).
set -euo pipefail
source "$(dirname "$0")/env.sh"
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
status=0
ctest --output-on-failure -j"$jobs" || status=$?
# ctest names the tests that did not run but not why: each said why in its output, which
# ctest keeps in its log.
awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
     /: Skipped$/ { getline why; if (!n++) print "Why they did not run:"; print "\t" name ": " why }' \
  Testing/Temporary/LastTest.log
exit "$status"
