#!/usr/bin/env bash
# wine-prefix.sh setup|shutdown: makes the Wine prefix named by WINEPREFIX anew, or ends
# every Wine process that still runs in it. Used by the Windows tests and the demo.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}  # no Mono or Gecko prompts

# Debian's Wine leaves its own fonts (fonts-wine) out of a new prefix, so the window's
# "MS Sans Serif" would come out as some other face: put them where the system looks.
readonly WINE_FONTS=/usr/share/wine/fonts

case "${1:-}" in
  setup)
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    env -u DISPLAY wineboot --init  # no display: nothing to show while the prefix is made
    wineserver -w
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -d "$fonts" ] || { echo "no prefix at $WINEPREFIX" >&2; exit 1; }
    # Without them the window's "MS Sans Serif" comes out as DejaVu Sans, a sixth wider, and
    # its texts run into each other: no prefix rather than one that shows another window.
    [ -f "$WINE_FONTS/sserife.fon" ] ||
      { echo "no $WINE_FONTS/sserife.fon: install Debian's fonts-wine" >&2; exit 1; }
    cp -n "$WINE_FONTS"/* "$fonts/"
    # The server and the system's own processes are kept running until shutdown, so that a
    # Windows program starts in a fraction of a second. They are started here, without our
    # output: a test's output would otherwise stay open in them and its runner wait for it.
    setsid wineserver -p </dev/null >/dev/null 2>&1 &
    env -u DISPLAY wine cmd /c exit </dev/null >/dev/null 2>&1
    ;;
  shutdown)
    wineserver -k 2>/dev/null || true
    ;;
  *)
    echo "usage: $0 setup|shutdown" >&2
    exit 2
    ;;
esac
