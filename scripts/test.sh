#!/usr/bin/env bash
# Builds everything and runs every test: the core's tests natively, again
# under AddressSanitizer and UndefinedBehaviorSanitizer with the fuzzers for a
# bounded time, then the same core tests and the program's own tests
# cross-built and run under Wine (code page 936, a prefix inside the build
# folder, a private Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset linux
cmake --build --preset linux
ctest --preset linux

cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize

cmake --preset windows
cmake --build --preset windows
source scripts/xvfb.sh
ctest --preset windows
WINEPREFIX="$PWD/build/windows/wine-prefix" wineserver -k 2>/dev/null || true
