#!/usr/bin/env bash
# fuzz.sh [SECONDS]: runs each fuzzer of the sanitize build for SECONDS
# (default 600), keeping the corpus it grows in the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
scripts/install-deps.sh
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
for harness in parse_date_time_text load_schedule round_trip; do
  corpus=build/sanitize/fuzz/corpus/$harness
  mkdir -p "$corpus"
  echo "== $harness for $seconds s"
  log=build/sanitize/fuzz/$harness.log
  status=0
  "build/sanitize/fuzz/${harness}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
    -dict=fuzz/gbk.dict -artifact_prefix="build/sanitize/fuzz/$harness-" \
    "$corpus" "fuzz/seeds/$harness" >"$log" 2>&1 || status=$?
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss|SUMMARY)' "$log" || true
  [ "$status" -eq 0 ] || { echo "$harness failed; see $log"; failed=1; }
done
exit "${failed:-0}"
