#!/bin/sh
# Installs what is missing, then builds and runs every test: natively, natively
# under AddressSanitizer and UndefinedBehaviorSanitizer (with a short fuzzing
# run of the question file reader), and for Windows under Wine.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in native sanitize win32; do
    cmake --workflow --preset "$preset"
done
