#!/usr/bin/env bash
# Builds the benchmarks and prints their tables: the host benchmarks of the
# hot paths and the solver; the screensaver under Wine (its canvas transfer, and its CPU time
# over one whole cycle, at 100%, 150% and 200%); then the game's start-up time and memory under Wine
# against a bare Win32 window and against its selection dialog shown alone,
# and the sizes of the game in both Windows builds; the game's tile drawing
# at three display scales. ZMR_BENCH_PART=host, saver, drawing or startup
# prints one part only.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
part="${ZMR_BENCH_PART:-all}"

if [ "$part" = all ] || [ "$part" = host ]; then
  cmake --preset host >/dev/null
  cmake --build --preset host --target board_deal_bench play_bench saver_bench solver_bench play_test >/dev/null
  build/host/bench/board_deal_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
  build/host/bench/play_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
  build/host/bench/saver_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
  echo
  echo "== The solver: thread CPU time per solve (ms) over positions from random play, random deals of A, and the"
  echo "   losing take of random games played into a deadlock (ZMR_SOLVER_POSITIONS, _DEALS, _GAMES set the counts)"
  build/host/bench/solver_bench --benchmark_counters_tabular=true "$@"
  echo
  echo "== Random play: a million actions with the board's invariants checked after each"
  ZMR_RANDOM_ACTIONS=1000000 build/host/play/play_test --gtest_filter='RandomPlay.*' | grep -E '^random play|PASSED|FAILED'
fi
[ "$part" != host ] || exit 0

# The shipped 32-bit build where this kernel runs 32-bit programs, else the
# 64-bit one from the same sources (see docs/platform-notes.md).
windows_preset() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
}
# build_windows_targets <preset> <target>...: configures and builds them quietly.
build_windows_targets() {
  local preset=$1
  shift
  echo "(the $preset build)"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target "$@" >/dev/null
}

if [ "$part" = all ] || [ "$part" = saver ]; then
  cycle=88
  echo
  echo "== The screensaver under Wine, full screen on a 1600x1200 virtual display, at 100%, 150% and 200%"
  saver_preset=$(windows_preset)
  build_windows_targets "$saver_preset" mahjong_saver canvas_transfer
  work=build/bench-saver
  rm -rf "$work"
  mkdir -p "$work"
  cp "build/$saver_preset/mahjong.scr" "$work/"
  (
    # A screen that holds the 1280 x 960 canvas of 200% whole.
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    bench_xvfb=$!
    while [ ! -s "$display_file" ]; do sleep 0.1; done
    export DISPLAY=":$(head -n1 "$display_file")" ZMR_OWN_DISPLAY=0
    rm -f "$display_file"
    source tools/wine-session.sh
    start_wine_session
    trap 'restore_log_pixels; stop_wine_session; kill "$bench_xvfb" 2>/dev/null || true' EXIT
    # Wine takes the display's DPI from the prefix's LogPixels; the value
    # found is put back afterwards, or removed when there was none.
    desktop_key='HKCU\Control Panel\Desktop'
    old_log_pixels=$(tools/wine.sh reg query "$desktop_key" /v LogPixels </dev/null 2>/dev/null |
      awk '/LogPixels/ { print $3 }' || true)
    old_log_pixels=${old_log_pixels:+$((old_log_pixels))}
    restore_log_pixels() {
      if [ -n "$old_log_pixels" ]; then
        tools/wine.sh reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$old_log_pixels" /f </dev/null >/dev/null 2>&1
      else
        tools/wine.sh reg delete "$desktop_key" /v LogPixels /f </dev/null >/dev/null 2>&1 || true
      fi
    }
    tools/wine.sh "build/$saver_preset/bench/canvas_transfer.exe" 500
    # CPU time (user and system) of the saver's own process over one whole
    # cycle at each scale, from the moment its window is up; the Wine
    # server's and the X server's time over the same span for context.
    ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
    hz=$(getconf CLK_TCK)
    names=("mahjong.scr" "wineserver" "Xvfb")
    for dpi in 96 144 192; do
      tools/wine.sh reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
      tools/wine.sh "$work/mahjong.scr" /s </dev/null >/dev/null 2>&1 &
      sleep 1
      saver_pid=$(pgrep -n -f 'bench-saver.mahjong\.scr' || true)
      if [ -z "$saver_pid" ]; then
        echo "the saver did not start at $dpi DPI"
        exit 1
      fi
      others=("$(pgrep -n wineserver)" "$bench_xvfb")
      before=("$(ticks "$saver_pid")" "$(ticks "${others[0]}")" "$(ticks "${others[1]}")")
      sleep "$cycle"
      after=("$(ticks "$saver_pid")" "$(ticks "${others[0]}")" "$(ticks "${others[1]}")")
      kill "$saver_pid"
      sleep 3  # the window's going takes Wine about 2 s under a bare X server
      echo "at $dpi DPI ($((dpi * 100 / 96))%):"
      for i in 0 1 2; do
        awk -v n="${names[$i]}" -v t=$((after[i] - before[i])) -v hz="$hz" -v s="$cycle" \
          'BEGIN { printf "  %-12s %7.2f s of CPU in %d s: %5.2f%% of one core%s\n", n, t / hz, s, 100 * t / hz / s, n == "mahjong.scr" ? " (target: at most 5%)" : "" }'
      done
    done
  )
fi
[ "$part" != saver ] || exit 0

if [ "$part" = all ] || [ "$part" = drawing ]; then
  echo
  echo "== The game's tile drawing under Wine at display scales 1, 1.5 and 2 (median of 200 rounds)"
  drawing_preset=$(windows_preset)
  build_windows_targets "$drawing_preset" tile_drawing
  (
    source tools/wine-session.sh
    start_wine_session
    tools/wine.sh "build/$drawing_preset/bench/tile_drawing.exe" 200
  )
fi
[ "$part" != drawing ] || exit 0

runs=20
echo
echo "== Start-up under Wine: $runs starts each, one warm Wine server"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target bare_window bare_dialog startup_timer >/dev/null
if ! cmake --build --preset win32 --target zmr >/dev/null 2>&1; then
  echo "no zmr.exe to time: the game does not build in this tree yet"
  exit 0
fi
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target zmr >/dev/null 2>&1 || true

# Each program starts from a folder of its own. The game's holds a settings
# file, so no first-run dialog comes before the game selection dialog. The
# programs are linked as the game ships. Two yardsticks: a bare window, and
# the game's own selection dialog shown from a hidden owner with nothing of
# the game around it, the least that the game's first window can cost.
work=build/bench-startup
rm -rf "$work"
mkdir -p "$work/zmr" "$work/bare" "$work/dialog"
cp build/win32/zmr.exe "$work/zmr/"
cp build/win32/bench/bare_window.exe "$work/bare/"
cp build/win32/bench/bare_dialog.exe "$work/dialog/"
settings='[ShellLink]\r\nSTARTUP=0\r\nDESKTOP=0\r\nSTARTMENU=0\r\n[SOUND]\r\nsound=0\r\n'
printf "$settings" >"$work/zmr/zmr.ini"

(
  source tools/wine-session.sh
  start_wine_session
  timer=build/win32/bench/startup_timer.exe
  # Starts take turns, so a busy spell of the machine falls on all alike.
  # The game's first window is its selection dialog (class #32770), and so
  # is the bare dialog's; the bare window's is its main window.
  for round in $(seq "$runs"); do
    wine "$timer" 1 "#32770" "$work/zmr/zmr.exe" | grep '^run' >>"$work/zmr.txt"
    wine "$timer" 1 "Bare Window" "$work/bare/bare_window.exe" | grep '^run' >>"$work/bare.txt"
    wine "$timer" 1 "#32770" "$work/dialog/bare_dialog.exe" | grep '^run' >>"$work/dialog.txt"
  done

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

for name in zmr dialog bare; do
  sed "s/^run  1:/$(printf '%-13s' "$name")/" "$work/$name.txt"
done
# median <file> <field>: field 1 the milliseconds, 2 the peak in KB.
median() {
  sed -nE 's/.* ([0-9.]+) ms +peak working set +([0-9]+) KB.*/\1 \2/p' "$1" | cut -d' ' -f"$2" | sort -n |
    awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}
fastest() { sed -nE 's/.* ([0-9.]+) ms +peak working set.*/\1/p' "$1" | sort -n | head -n1; }
bare_ms=$(median "$work/bare.txt" 1)
bare_kb=$(median "$work/bare.txt" 2)
check_kb=$(sed -nE 's/^run +1: .*peak working set +([0-9]+) KB.*/\1/p' "$work/check.txt")
echo
printf '%-20s %10s %8s %8s %10s %8s %12s %10s\n' "median of $runs starts" "to window" "vs bare" "target" "fastest" "vs bare" "peak memory" "vs bare"
for name in zmr dialog bare; do
  awk -v n="$name" -v ms="$(median "$work/$name.txt" 1)" -v kb="$(median "$work/$name.txt" 2)" \
      -v fast="$(fastest "$work/$name.txt")" -v bfast="$(fastest "$work/bare.txt")" \
      -v bms="$bare_ms" -v bkb="$bare_kb" -v target="$([ "$name" = zmr ] && echo '<=1.20x' || echo -)" \
    'BEGIN { printf "%-20s %7.1f ms %7.2fx %8s %7.1f ms %7.2fx %9.1f MB %+7.1f MB\n", n, ms, ms / bms, target, fast, fast / bfast, kb / 1024, (kb - bkb) / 1024 }'
done
awk -v ms="$(median "$work/zmr.txt" 1)" -v dms="$(median "$work/dialog.txt" 1)" \
  'BEGIN { printf "zmr against the bare dialog: %.2fx (%+.1f ms: what the game does before its dialog shows)\n", ms / dms, ms - dms }'
echo "(peak memory: PeakWorkingSetSize 1 s after the window shows; memory target: at most +8 MB)"
echo "memory check, one held start of zmr.exe: PeakWorkingSetSize ${check_kb:-?} KB, VmHWM of its Linux process $(cat "$work/vmhwm.txt") KB"
for preset in win32 win64; do
  if [ -f "build/$preset/zmr.exe" ]; then
    printf '%-34s %12s bytes\n' "size of build/$preset/zmr.exe" "$(stat -c %s "build/$preset/zmr.exe")"
  else
    printf '%-34s %12s\n' "size of build/$preset/zmr.exe" "not built"
  fi
done
