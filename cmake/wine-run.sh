#!/bin/sh
# Runs a Windows program of the build under Wine:
#   wine-run.sh BUILD-FOLDER WINE PROGRAM [ARGUMENTS...]
# in the build's own prefix and, while the test session runs, on its display.
build=$1 wine=$2
shift 2
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=d"
if [ -s "$build/session/display" ]; then
    DISPLAY=":$(cat "$build/session/display")"
    export DISPLAY
fi
exec "$wine" "$@"
