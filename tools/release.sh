#!/usr/bin/env bash
# Installs what is missing, builds the 32-bit Windows programs and makes the
# release: build/win32/release/zmr/ and the zip of it beside that folder.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target release
zip=$(ls -t build/win32/release/zmr-*.zip | head -n1)
echo "$zip"
# CMake reads the zip's Japanese names only in a UTF-8 locale.
LC_ALL=C.UTF-8 cmake -E tar tvf "$zip"
