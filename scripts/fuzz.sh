#!/usr/bin/env bash
# Builds the design loader's fuzz target with clang into build-fuzz/ (libFuzzer, ASan, UBSan)
# and runs it on a copy of tests/fuzz/seeds. Arguments go to the fuzzer; without any it runs
# -runs=10000000 -max_len=200000. FUZZ_BUILD_ONLY=1 only builds.
# Findings are written to build-fuzz/findings/; keep each one in tests/fuzz/seeds once its cause is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh fuzz
jobs="${JOBS:-2}"
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)
san="-fsanitize=address,undefined -fno-sanitize-recover=all"
cmake -S . -B build-fuzz "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMV_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $san -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="$san"
cmake --build build-fuzz -j"$jobs" --target design_loader_fuzz
[ "${FUZZ_BUILD_ONLY:-0}" = 1 ] && exit 0
# Fuzzer logs (fuzz-N.log with -jobs) stay in build-fuzz/ too.
cd build-fuzz
mkdir -p corpus findings
cp -n ../tests/fuzz/seeds/* corpus/
[ $# -gt 0 ] || set -- -runs=10000000 -max_len=200000
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
exec tests/fuzz/design_loader_fuzz -artifact_prefix=findings/ -rss_limit_mb=2048 -timeout=10 "$@" corpus
