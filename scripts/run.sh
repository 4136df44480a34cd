#!/bin/sh
# Builds the drill and starts it under Wine on your display, with examples/ as
# its working folder, so that the open-file dialog starts among the example
# question files. Where there is no display, it runs a demo on a virtual one
# instead and saves screenshots of it.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target tarrowin tarrowin_demo

if [ -z "${DISPLAY:-}" ]; then
    echo "There is no display (DISPLAY is not set), so here is a demo instead: the drill on a"
    echo "virtual display, driven to the first answer of examples/kanji.csv. Screenshots:"
    exec scripts/screenshots.sh build/win32/demo
fi

# A prefix of its own, with Japanese fonts, and windows managed by your desktop.
prefix="$root/build/win32/wineprefix-run"
[ -e "$prefix/.tarrowin-fonts" ] || echo "Making a Wine prefix in $prefix (once)..."
cmake -DACTION=prepare -DWINE="$(command -v wine)" -DBUILD="$root/build/win32" -DWINEPREFIX="$prefix" \
      -P cmake/wine-session.cmake
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=d"
cd examples
exec wine "$root/build/win32/bin/tarrowin.exe"
