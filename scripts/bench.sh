#!/usr/bin/env bash
# bench.sh: builds and runs every benchmark and prints the figures (about ten
# minutes; it is not part of the tests):
#   1. launch timing under Wine: the real program (with its launches logged)
#      and then the plain design, each on a schedule of one row per second,
#      with the CPU loaded for part of each run;
#   2. Google Benchmark of the core, natively, Release;
#   3. footprint under Wine: velquor.exe against a minimal window program.
# Settings, from the environment: BENCH_LINUX_BUILD (/tmp/bench-linux),
# BENCH_WIN_BUILD (/tmp/bench-win), BENCH_DISPLAY (:93), BENCH_ROWS (130),
# BENCH_LOAD_AFTER (60 s into the schedule), BENCH_LOAD_SECONDS (40),
# BENCH_LOAD_PROCESSES (2), BENCH_IDLE_SECONDS (60), BENCH_STARTS (7),
# BENCH_REPETITIONS (3, of each Google Benchmark), BENCH_PARTS ("1 2 3"),
# BENCH_PLAIN_PHASE_MS (none: the plain design's timer starts wherever its
# start-up leaves it; a number from 0 to 999 starts it at that millisecond).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
linux_build=${BENCH_LINUX_BUILD:-/tmp/bench-linux}
win_build=${BENCH_WIN_BUILD:-/tmp/bench-win}
display=${BENCH_DISPLAY:-:93}
rows=${BENCH_ROWS:-130}
load_after=${BENCH_LOAD_AFTER:-60}
load_seconds=${BENCH_LOAD_SECONDS:-40}
load_processes=${BENCH_LOAD_PROCESSES:-2}
idle_seconds=${BENCH_IDLE_SECONDS:-60}
starts=${BENCH_STARTS:-7}
parts=" ${BENCH_PARTS:-1 2 3} "

prefix=$win_build/bench-prefix
results=$win_build/bench-results
documents=$prefix/drive_c/users/$(id -un)/Documents
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8

started_pids=()
cleanup() {
  wineserver -k 2>/dev/null || true
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

heading() { printf '\n== %s\n' "$*"; }
wine_run() { "$root/scripts/wine-run.sh" "$prefix" "$@"; }
# The driver's console lines end in CR LF under Wine.
driver() { wine_run "$win_build/bench/bench_driver.exe" "$@" | tr -d '\r'; }
sleep_until() {
  local now
  now=$(date +%s.%N)
  sleep "$(python3 -c "print(max(0, $1 - $now))")"
}

scripts/install-deps.sh

heading "Machine"
echo "nproc: $(nproc)"
echo "CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "kernel: $(uname -sr)"
echo "Wine: $(wine --version)"
echo "MinGW-w64: $(x86_64-w64-mingw32-g++-posix --version | head -1)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"

heading "Building"
cmake --preset linux -B "$linux_build" >/dev/null
cmake --build "$linux_build" -j2 --target core_bench >/dev/null
cmake --preset windows -B "$win_build" >/dev/null
cmake --build "$win_build" -j2 --target velquor velquor_logging plain_design minimal_window \
  clock_window bench_driver marker >/dev/null
echo "built in $linux_build and $win_build"

# An X display of our own; one already on it is used as it is.
export DISPLAY=$display
if ! xdpyinfo >/dev/null 2>&1; then
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  started_pids+=($!)
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
xvfb_pid=$(pgrep -f "^Xvfb $display( |$)" | head -1 || true)
"$root/scripts/wine-prefix.sh" "$prefix"
# Nothing of an earlier run may still hold the prefix.
wineserver -k 2>/dev/null || true
rm -rf "$results"
mkdir -p "$results"

# ---- 1. Launch timing -------------------------------------------------------

# CPU-heavy processes for a while, one per core by default, the same for both
# designs; ended by their ids.
load_cpu() {
  local pids=()
  for _ in $(seq "$load_processes"); do
    bash -c 'while :; do :; done' &
    pids+=($!)
  done
  started_pids+=("${pids[@]}")
  sleep "$load_seconds"
  kill "${pids[@]}" 2>/dev/null || true
}

# run_design ID NAME PROGRAM [ARG]: one run of one design on its own schedule.
run_design() {
  local id=$1 name=$2 program=$3 extra=${4:-}
  local folder=$prefix/drive_c/bench/$id
  local windows_folder="C:\\bench\\$id"
  rm -rf "$folder"
  mkdir -p "$folder"
  # One name per row, so that the markers' log tells the rows apart.
  for i in $(seq 0 $((rows - 1))); do
    ln "$win_build/tests/e2e/marker.exe" "$folder/$(printf 'r%03d.exe' "$i")"
  done
  local start=$(($(date +%s) + 10))
  python3 bench/launch_timing.py schedule "$start" "$rows" "$windows_folder" "$documents/Velquor.ini"
  echo "$name: rows due from $(date -d "@$start" '+%H:%M:%S') for $rows s," \
    "CPU loaded from +$load_after s for $load_seconds s"
  wine_run "$program" "$windows_folder\\launches.log" $extra &
  local program_pid=$!
  started_pids+=("$program_pid")
  sleep_until $((start + load_after))
  load_cpu
  sleep_until $((start + rows + 3))
  driver close "$(basename "$program")" >/dev/null || true
  wait "$program_pid" || true
  local ticks=-
  [ -f "$folder/launches.log.ticks" ] && ticks=$folder/launches.log.ticks
  python3 bench/launch_timing.py analyse "$name" "$start" "$rows" "$folder/launches.log" \
    "$folder/markers.log" "$ticks" $((start + load_after)) $((start + load_after + load_seconds)) \
    "$results/$id.json"
  for log in "$folder"/*.log*; do cp "$log" "$results/$id-$(basename "$log")"; done
}

if [[ $parts == *" 1 "* ]]; then
heading "1. Launch timing under Wine (one design after the other)"
run_design real "real program" "$win_build/bench/velquor_logging.exe"
run_design plain "plain design${BENCH_PLAIN_PHASE_MS:+, timer at ${BENCH_PLAIN_PHASE_MS} ms}" \
  "$win_build/bench/plain_design.exe" "${BENCH_PLAIN_PHASE_MS:-}"
python3 bench/launch_timing.py table "$results/real.json" "$results/plain.json" |
  tee "$results/launch-timing.md"
fi

# ---- 2. Google Benchmark ----------------------------------------------------

if [[ $parts == *" 2 "* ]]; then
heading "2. Google Benchmark (native, Release)"
"$linux_build/bench/core_bench" --benchmark_repetitions=${BENCH_REPETITIONS:-3} --benchmark_report_aggregates_only=true \
  --benchmark_out="$results/core_bench.json" --benchmark_out_format=json | tee "$results/core_bench.txt"
python3 bench/gbench_ratios.py "$results/core_bench.json" | tee "$results/core_bench.md"
fi

# ---- 3. Footprint -----------------------------------------------------------

if [[ $parts == *" 3 "* ]]; then
heading "3. Footprint under Wine: velquor.exe against minimal_window.exe (and clock_window.exe)"
rm -f "$documents/Velquor.ini"
footprint=$prefix/drive_c/bench/footprint
rm -rf "$footprint"
mkdir -p "$footprint"
cp "$win_build/app/velquor.exe" "$win_build/bench/minimal_window.exe" \
  "$win_build/bench/clock_window.exe" "$footprint/"
for exe in velquor minimal_window clock_window; do
  x86_64-w64-mingw32-strip -o "$results/$exe-stripped.exe" "$footprint/$exe.exe"
  echo "size of $exe.exe: $(stat -c %s "$footprint/$exe.exe") bytes as built," \
    "$(stat -c %s "$results/$exe-stripped.exe") bytes stripped"
done

# A first start of each, not counted, brings up the prefix's services and
# fills the file cache.
driver startup 1 'C:\bench\footprint\velquor.exe' 'C:\bench\footprint\minimal_window.exe' >/dev/null
driver startup "$starts" 'C:\bench\footprint\velquor.exe' 'C:\bench\footprint\minimal_window.exe' |
  tee "$results/startup.txt"

# CPU time on the clock of a process, all its threads: ms, from schedstat.
cpu_ms() {
  local total=0 ns
  for task in /proc/"$1"/task/*; do
    ns=$(cut -d' ' -f1 "$task/schedstat" 2>/dev/null || echo 0)
    total=$((total + ns))
  done
  echo $((total / 1000000))
}
# utime + stime of /proc/PID/stat in ms.
stat_ms() {
  local hz
  hz=$(getconf CLK_TCK)
  awk -v hz="$hz" '{ sub(/^.*\) /, ""); print ($12 + $13) * 1000 / hz }' "/proc/$1/stat"
}
# The prefix's wineserver works in a folder named after the prefix's device
# and inode.
wineserver_pid() {
  local pid server_dir
  server_dir=server-$(stat -c %D "$prefix")-$(printf %x "$(stat -c %i "$prefix")")
  for pid in $(pgrep -x 'wineserver(64)?'); do
    if [[ $(readlink "/proc/$pid/cwd") == */"$server_dir" ]]; then
      echo "$pid"
      return
    fi
  done
}
# The Unix process that runs the program: the one whose command line Wine set
# to the program's path.
program_pid() {
  local pid
  for _ in $(seq 100); do
    pid=$(pgrep -f "^$1( |$)" | head -1 || true)
    [ -n "$pid" ] && { echo "$pid"; return; }
    sleep 0.1
  done
}

# clock_window.exe: the minimal program with a live clock of seconds, which
# tells what part of velquor.exe's idle CPU the clock's redraw is.
for exe in velquor minimal_window clock_window; do
  wine_run "$footprint/$exe.exe" &
  started_pids+=($!)
  pid=$(program_pid "$footprint/$exe.exe")
  sleep 5
  server=$(wineserver_pid)
  a_stat=$(stat_ms "$pid") a_cpu=$(cpu_ms "$pid")
  a_server=$([ -n "$server" ] && cpu_ms "$server" || echo 0)
  a_x=$([ -n "$xvfb_pid" ] && cpu_ms "$xvfb_pid" || echo 0)
  sleep "$idle_seconds"
  b_stat=$(stat_ms "$pid") b_cpu=$(cpu_ms "$pid")
  b_server=$([ -n "$server" ] && cpu_ms "$server" || echo 0)
  b_x=$([ -n "$xvfb_pid" ] && cpu_ms "$xvfb_pid" || echo 0)
  hwm=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
  rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
  threads=$(ls "/proc/$pid/task" | wc -l)
  python3 - "$exe" "$idle_seconds" "$a_stat" "$b_stat" "$a_cpu" "$b_cpu" "$a_server" "$b_server" \
    "$a_x" "$b_x" "$hwm" "$rss" "$threads" <<'EOF' | tee -a "$results/idle.txt"
import sys
exe, idle = sys.argv[1], float(sys.argv[2])
a_stat, b_stat, a_cpu, b_cpu, a_srv, b_srv, a_x, b_x, hwm, rss, threads = map(float, sys.argv[3:])
share = lambda ms: f"{ms:.0f} ms = {100 * ms / (idle * 1000):.3f} % of a core"
print(f"{exe}: VmHWM {hwm / 1024:.1f} MiB, VmRSS {rss / 1024:.1f} MiB, {threads:.0f} threads; "
      f"over {idle:.0f} idle s: utime+stime {share(b_stat - a_stat)}, schedstat {share(b_cpu - a_cpu)}, "
      f"wineserver {share(b_srv - a_srv)}, Xvfb {share(b_x - a_x)}")
EOF
  driver close "$exe.exe" >/dev/null || true
done
fi

echo
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "logs and figures: $results"
