#!/usr/bin/env bash
# Draws COUNT designs from the seeds FIRST_SEED.. (default 1), prints every drawing of each and
# checks it (tests/print/test_drawing_sweep.cpp), in chunks side by side over the cores (JOBS,
# default all). Prints each fault with its seed, the faults counted by check and drawing, and a
# summary line; exits non-zero when any seed fails. The full logs stay in build/drawing_sweep/
# (the test output in chunk*.log, its warnings apart in chunk*.err, not to split its lines).
set -euo pipefail
source "$(dirname "$0")/env.sh"
count=${1:?usage: scripts/drawing_sweep.sh COUNT [FIRST_SEED]}
first=${2:-1}
(( count >= 1 && first >= 0 )) || { echo "COUNT must be 1 or more, FIRST_SEED 0 or more" >&2; exit 2; }
scripts/build.sh >/dev/null
(( jobs > count )) && jobs=$count
out=build/drawing_sweep
rm -rf "$out" && mkdir -p "$out"
per=$(( (count + jobs - 1) / jobs ))
k=0
for (( start = first; start < first + count; start += per )); do
  n=$(( first + count - start < per ? first + count - start : per ))
  MV_SWEEP_FIRST=$start MV_SWEEP_COUNT=$n QT_QPA_PLATFORM=offscreen \
    build/tests/test_print --gtest_filter=DrawingSweepTest.SweptSeeds >"$out/chunk$k.log" 2>"$out/chunk$k.err" &
  k=$(( k + 1 ))
done
wait || true
cat "$out"/chunk*.log >"$out/all.log"
grep '^SWEEP-FAULT' "$out/all.log" | sed 's/^SWEEP-FAULT //' || true
echo "-- faults by check and drawing (pages):"
grep '^SWEEP-FAULT' "$out/all.log" | sed -E 's/.* check=(.*) drawing=([^ ]*) .*/\1 | \2/' | sort | uniq -c || true
# A seed fails with faults, or when it never finished (no draw taken, or a crash).
failed=0
for (( s = first; s < first + count; s++ )); do
  if ! grep -qE "^SWEEP-DONE $s: " "$out/all.log"; then
    echo "seed $s: did not finish (see $out)"
    failed=$(( failed + 1 ))
  elif ! grep -qE "^SWEEP-DONE $s: 0 faults" "$out/all.log"; then
    failed=$(( failed + 1 ))
  fi
done
echo "drawing sweep: $count seeds from $first, $failed failed"
(( failed == 0 ))
