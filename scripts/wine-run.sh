#!/usr/bin/env bash
# Runs a Windows program under Wine, for the tests of the Windows build:
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENT...]
#   scripts/wine-run.sh --start | --stop
# Wine's settings live in WINEPREFIX (default: build/wine under the source tree), made on first
# use. A window needs an X display: run under xvfb-run when there is none. --start keeps one Wine
# session running until --stop, so that each program neither starts nor waits for its own.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# Debian's wine64 package puts the loader outside PATH.
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # One test at a time makes the prefix; the others wait for it.
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then "$wine" wineboot -i >/dev/null 2>&1; fi
  ) 9>"$WINEPREFIX.lock"
fi
wineserver=$(dirname "$(readlink -f "$wine")")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
case ${1:-} in
  --start)
    # A server left from making the prefix ends first; one that will not stay is no harm.
    "$wineserver" -w
    "$wineserver" -p </dev/null >/dev/null 2>&1 || true
    "$wine" wineboot </dev/null >/dev/null 2>&1
    exit 0 ;;
  --stop) exec "$wineserver" -k ;;
esac
exec "$wine" "$@"
