#!/usr/bin/env bash
# Installs what is missing, builds the 32-bit Windows game and starts it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32
game=build/win32/zmr.exe
# Play on the real display ($DISPLAY); Wine keeps its own prefix for the game.
# The game keeps zmr.ini beside itself, in build/win32.
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-zmr}"
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# The dialogs' face "ＭＳ Ｐゴシック" does not exist under Wine: show it in the
# IPA proportional gothic, as the test session does.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /t REG_SZ /d 'IPAPGothic' /f \
  </dev/null >/dev/null 2>&1 || true
exec wine "$game"
