#!/usr/bin/env bash
# Builds, then enters every example design through the input dialogs, runs it and saves it
# into examples/ (the test program's example writer).
set -euo pipefail
source "$(dirname "$0")/env.sh"
scripts/build.sh
mkdir -p examples
MV_WRITE_EXAMPLES="$PWD/examples" QT_QPA_PLATFORM=offscreen \
  build/tests/test_app --gtest_filter='ExampleTest.WrittenWhenAskedFor'
