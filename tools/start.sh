#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/abhaengigkeiten.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTARVELLO_TESTS=OFF -DTARVELLO_BENCH=OFF
cmake --build build -j"$(nproc)" --target tarvello
exec ./build/tarvello "$@"
