#!/usr/bin/env bash
# Redraws every picture and remakes the sounds: installs what is missing, builds the generator, writes assets/ and docs/board.png.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash tools/setup.sh
cmake --preset host >/dev/null
cmake --build --preset host --target assetgen
build/host/tools/assetgen/assetgen "$root"
