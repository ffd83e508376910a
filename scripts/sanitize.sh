#!/usr/bin/env bash
# Builds everything into build-asan/ with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer and runs every test there. Run by hand; slow.
# Extra arguments go to ctest (e.g. -R Solver).
set -euo pipefail
source "$(dirname "$0")/env.sh"
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-asan -j"$jobs"
# Address and leak reports go to files, so that those of the solver programs a test
# runs with their output captured are not lost (a leak alone only changes the exit
# code); any such file fails the run. UBSan's reports stay on stderr.
logs="$PWD/build-asan/sanitizer-reports"
rm -rf "$logs" && mkdir -p "$logs"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:log_path=$logs/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
status=0
(cd build-asan && ctest --output-on-failure -j"$jobs" "$@") || status=$?
if compgen -G "$logs/*" >/dev/null; then
  cat "$logs"/*
  echo "sanitizer reports in $logs" >&2
  exit 1
fi
exit "$status"
