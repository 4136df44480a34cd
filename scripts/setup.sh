#!/bin/sh
# Installs what building and testing need on Debian 12: the native toolchain with
# GoogleTest, Google Benchmark and clang's fuzzer runtime, the MinGW-w64 i686
# cross compiler, and Wine (32-bit) with a virtual X display. Quick when all is there.
set -eu

native="cmake g++ make googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev python3"
cross="g++-mingw-w64-i686-posix mingw-w64-tools"
wine="wine wine32:i386 xvfb xauth fonts-wine fonts-dejavu-core fonts-noto-cjk"

missing=""
for p in $native $cross $wine; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends $missing
