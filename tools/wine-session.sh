# Sourced by the scripts that run Windows programs: one virtual X display and
# one Wine server for the whole run, in a prefix of the project's own, with a
# throwaway HOME so nothing a test makes lands in the user's folders.
# Call start_wine_session; stop_wine_session runs on exit.

project_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${ZMR_WINEPREFIX:-$project_root/build/wine}"
export WINEDEBUG=-all
# No network here: skip the offers to install Mono and Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Japanese menus and dialogs need a Japanese locale (code page 932).
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export HOME="$project_root/build/home"

xvfb_pid=""

# The virtual screen is a laptop's at full HD and more, so the board fits
# at 200% display scaling too.
start_wine_session() {
  mkdir -p "$HOME" "$WINEPREFIX"
  if [ -z "${DISPLAY:-}" ] || [ "${ZMR_OWN_DISPLAY:-1}" = 1 ]; then
    local display_file
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    local tries=0
    while [ ! -s "$display_file" ] && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
    export DISPLAY=":$(head -n1 "$display_file")"
    rm -f "$display_file"
  fi
  trap stop_wine_session EXIT
  # Wine's background processes inherit what they start with; a test runner
  # would wait forever on pipes they hold, so give them /dev/null.
  wineserver -p </dev/null >/dev/null 2>&1
  "$project_root/tools/wine.sh" wineboot </dev/null >/dev/null 2>&1
  map_dialog_font
}

# The dialogs ask for the Japanese face "ＭＳ Ｐゴシック", which Wine does
# not have; without a replacement they fall back to a face with other widths
# (or no Japanese glyphs). Map it to the proportional IPA gothic. The reg
# tool reads its arguments through the locale, which is UTF-8 here.
map_dialog_font() {
  "$project_root/tools/wine.sh" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /t REG_SZ /d 'IPAPGothic' /f \
    </dev/null >/dev/null 2>&1
}

stop_wine_session() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
