#!/usr/bin/env bash
# Builds velquor.exe and starts it under Wine with code page 936, on the
# desktop's display, or on a private Xvfb when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target velquor
if [ -z "${DISPLAY:-}" ]; then
  source scripts/xvfb.sh
  echo "No display: Velquor runs on a private Xvfb ($DISPLAY)."
  echo "See it with: DISPLAY=$DISPLAY import -window root velquor.png; end it with Ctrl+C."
fi
exec_status=0
scripts/wine-run.sh build/windows/wine-prefix build/windows/app/velquor.exe || exec_status=$?
echo "Velquor ended with exit code $exec_status."
