#!/usr/bin/env bash
# Runs a Windows program under Wine: wine_run.sh PREFIX [PROGRAM [ARGUMENTS...]]
# Headless (nothing ever waits for a display) and quiet. Without a program it only gets the
# prefix ready; `wine_run.sh PREFIX --stop` ends the prefix's server and services.
set -euo pipefail

prefix=$(realpath -m -- "$1")
shift
export WINEPREFIX=$prefix
export WINEDEBUG=-all
# No .NET or HTML engine: nothing would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# Runs a command holding none of this script's files: Wine's server and services outlive the
# program that starts them, and whoever reads a test's output would wait for them to end.
Detached() {
  local fd
  for fd in /proc/$BASHPID/fd/*; do
    fd=${fd##*/}
    if ((fd > 2)); then eval "exec $fd>&-"; fi
  done
  exec "$@" </dev/null >/dev/null 2>&1
}

if [ "${1:-}" = --stop ]; then
  exec "$wineserver" --kill
fi

# Under a lock, so that programs started side by side never race: make the prefix once; then,
# whenever no server runs, start one with Wine's services and keep it: a server that ends while
# the next test starts fails that test ("connection reset"), and starting the services again for
# every test is slow. Should this fail, the program starts them itself.
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    (Detached "$wine" wineboot --init) || true
    (Detached "$wineserver" --wait) || true
  fi
  if (Detached "$wineserver" --persistent); then
    (Detached "$wine" wineboot) || true
  fi
) 9>"$prefix.lock"

if [ $# -gt 0 ]; then
  exec "$wine" "$@"
fi
