#!/usr/bin/env bash
# The building stage's lower bound: builds the generator with the candidate
# log (CMake option TARVELLO_KANDIDATEN_LOG) in a folder of its own and
# compares preset 13 with 10000 and 20000 buildings with real and with free
# tests.
#
#   bench/kandidatenschranke.sh [BUILD_FOLDER]     (default: build-kandidaten)
set -euo pipefail
cd "$(dirname "$0")/.."
ordner="${1:-build-kandidaten}"
cmake -S . -B "$ordner" -DCMAKE_BUILD_TYPE=Release -DTARVELLO_KANDIDATEN_LOG=ON \
    -DTARVELLO_TESTS=OFF -DTARVELLO_BENCH=OFF >/dev/null
if ! cmake --build "$ordner" --target kandidatenschranke -j "$(nproc)" >"$ordner/bauen.log" 2>&1; then
    cat "$ordner/bauen.log"
    exit 1
fi
"$ordner/kandidatenschranke"
