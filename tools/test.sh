#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: host,
# sanitizers, and both Windows builds under Wine. Ends with one summary line.
set -uo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh || exit 1
mkdir -p build
source tools/wine-session.sh
start_wine_session

# Some kernels are started with their 32-bit emulation off: there Wine's
# 32-bit loader, installed as it should be, fails with "Exec format error"
# and no 32-bit program can run (tools/wine.sh runs the 64-bit ones). Then
# the win32 preset is built, from the same sources as win64, whose tests do
# run, but its own tests cannot be run.
# The shell answers 126 for a file it cannot run (its message follows the
# locale, so the code is what is read).
runs_32_bit() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
  [ $? -ne 126 ]
}

presets=(host host-asan host-tsan win32 win64)
passed=0
failed=0
broken=()
for preset in "${presets[@]}"; do
  echo "== $preset"
  if ! cmake --preset "$preset" >"build/$preset-configure.log" 2>&1 ||
     ! cmake --build --preset "$preset" >"build/$preset-build.log" 2>&1; then
    echo "build of $preset failed:"
    tail -n 40 "build/$preset-build.log" "build/$preset-configure.log" 2>/dev/null
    broken+=("$preset")
    continue
  fi
  if [ "$preset" = win32 ] && ! runs_32_bit; then
    echo "win32: built; its tests not run: this kernel refuses 32-bit programs (its ia32 emulation is off)"
    continue
  fi
  log="build/$preset-test.log"
  ctest --preset "$preset" -j2 2>&1 | tee "$log" | grep -a -E -v '^ *([0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|Start +[0-9]+:)' || true
  line=$(grep -a -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)
  if [ -z "$line" ]; then
    broken+=("$preset")
    continue
  fi
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
done

[ ${#broken[@]} -eq 0 ] || echo "presets that did not build or test: ${broken[*]}"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ ${#broken[@]} -eq 0 ]
