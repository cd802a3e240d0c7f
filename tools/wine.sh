#!/bin/sh
# Runs a Windows program under Wine, as the tests' emulator and the session's set-up do.
# Debian's `wine` starts every program through Wine's 32-bit loader, which
# hands 64-bit programs on to the 64-bit one. A kernel started with its
# 32-bit emulation off refuses that loader ("Exec format error"); there the
# 64-bit loader is called directly, and 64-bit programs still run.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  exec wine "$@"
fi
export WINELOADER=/usr/lib/wine/wine64
exec /usr/lib/wine/wine64 "$@"
