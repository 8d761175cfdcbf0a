#!/usr/bin/env bash
# soak.sh [SECONDS]: the launch soak at length (default 600 s: one row due
# every second for ten minutes, every processor kept busy from the 20th to the
# 40th second of each minute), on the real velquor.exe under Wine and a
# private Xvfb. The test command runs the same test for 60 s.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target reliability_tests
source scripts/xvfb.sh
status=0
VELQUOR_SOAK_SECONDS=$seconds scripts/wine-run.sh build/windows/wine-prefix \
  build/windows/tests/reliability/reliability_tests.exe --gtest_filter='Soak.*' || status=$?
WINEPREFIX="$PWD/build/windows/wine-prefix" wineserver -k 2>/dev/null || true
exit "$status"
