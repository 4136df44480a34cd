#!/bin/sh
# Drives the drill on a virtual display to the first answer of an example file
# and saves what its two windows look like as settings.png and display.png:
#   scripts/screenshots.sh [OUTPUT-FOLDER]      (docs/ when not given)
# Expects a win32 build (scripts/run.sh or scripts/test.sh makes one).
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
out=${1:-docs}
mkdir -p "$out"
out=$(cd "$out" && pwd)
build=$root/build/win32
wine=$(command -v wine)

session() {
    cmake -DACTION="$1" -DWINE="$wine" -DBUILD="$build" -P cmake/wine-session.cmake
}
windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

session start
trap 'session stop' EXIT
sh cmake/wine-run.sh "$build" "$wine" "$build/bin/tarrowin_demo.exe" \
    "$(windows_path "$root/examples/kanji.csv")" "$(windows_path "$out")" 2>/dev/null
for window in settings display; do
    python3 tools/bmp_to_png.py "$out/$window.bmp" "$out/$window.png"
    rm "$out/$window.bmp"
    echo "$out/$window.png"
done
