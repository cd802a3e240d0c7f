#!/usr/bin/env bash
# Builds the benchmarks and prints their tables: the host benchmarks of the
# hot paths, then the game's start-up time and memory under Wine against a
# bare Win32 window, and the sizes of the game in both Windows builds.
# ZMR_BENCH_PART=host or startup prints one part only.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
part="${ZMR_BENCH_PART:-all}"

if [ "$part" != startup ]; then
  cmake --preset host >/dev/null
  cmake --build --preset host --target board_deal_bench >/dev/null
  build/host/bench/board_deal_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
fi
[ "$part" != host ] || exit 0

runs=10
echo
echo "== Start-up under Wine: $runs starts each, one warm Wine server"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target bare_window startup_timer >/dev/null
if ! cmake --build --preset win32 --target zmr >/dev/null 2>&1; then
  echo "no zmr.exe to time: the game does not build in this tree yet"
  exit 0
fi
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target zmr >/dev/null 2>&1 || true

# Each program starts from a folder of its own. The game's holds a settings
# file, so no first-run dialog comes before the game selection dialog.
work=build/bench-startup
rm -rf "$work"
mkdir -p "$work/zmr" "$work/bare"
cp build/win32/zmr.exe "$work/zmr/"
cp build/win32/bench/bare_window.exe "$work/bare/"
printf '[ShellLink]\r\nSTARTUP=0\r\nDESKTOP=0\r\nSTARTMENU=0\r\n[SOUND]\r\nsound=0\r\n' >"$work/zmr/zmr.ini"

(
  source tools/wine-session.sh
  start_wine_session
  timer=build/win32/bench/startup_timer.exe
  # The game's first window is its selection dialog (class #32770); the
  # yardstick's is its main window.
  wine "$timer" "$runs" "#32770" "$work/zmr/zmr.exe" >"$work/zmr.txt"
  wine "$timer" "$runs" "Bare Window" "$work/bare/bare_window.exe" >"$work/bare.txt"

  # The peak working set that Wine reports for another process should be the
  # peak resident size (VmHWM) of the Linux process that hosts it: compare
  # the two on one held start of the game.
  wine "$timer" 1 "#32770" "$work/zmr/zmr.exe" 3000 >"$work/check.txt" &
  held=$!
  sleep 2.5
  host_pid=$(pgrep -n -f 'bench-startup.zmr.zmr\.exe' || true)
  vmhwm=$( [ -n "$host_pid" ] && awk '/^VmHWM/ {print $2}' "/proc/$host_pid/status" 2>/dev/null || echo "?")
  wait "$held" || true
  echo "$vmhwm" >"$work/vmhwm.txt"
)

sed 's/^/zmr.exe      /' "$work/zmr.txt"
sed 's/^/bare_window  /' "$work/bare.txt"
figure() { sed -nE "s/^median .*$2=([0-9.]+).*/\1/p" "$1"; }
zmr_ms=$(figure "$work/zmr.txt" ms)
bare_ms=$(figure "$work/bare.txt" ms)
zmr_kb=$(figure "$work/zmr.txt" peak_kb)
bare_kb=$(figure "$work/bare.txt" peak_kb)
check_kb=$(sed -nE 's/^run +1: .*peak working set +([0-9]+) KB.*/\1/p' "$work/check.txt")
echo
printf '%-34s %12s %12s %12s\n' "start-up (median of $runs)" "zmr.exe" "bare window" "zmr / bare"
awk -v z="$zmr_ms" -v b="$bare_ms" 'BEGIN { printf "%-34s %9.1f ms %9.1f ms %11.2fx   (target at most 1.20x)\n", "to first window shown", z, b, z / b }'
awk -v z="$zmr_kb" -v b="$bare_kb" 'BEGIN { printf "%-34s %9.1f MB %9.1f MB %+10.1f MB   (target at most +8 MB)\n", "peak working set, 1 s after", z / 1024, b / 1024, (z - b) / 1024 }'
echo "memory check, one held start of zmr.exe: PeakWorkingSetSize ${check_kb:-?} KB, VmHWM of its Linux process $(cat "$work/vmhwm.txt") KB"
for preset in win32 win64; do
  if [ -f "build/$preset/zmr.exe" ]; then
    printf '%-34s %12s bytes\n' "size of build/$preset/zmr.exe" "$(stat -c %s "build/$preset/zmr.exe")"
  else
    printf '%-34s %12s\n' "size of build/$preset/zmr.exe" "not built"
  fi
done
