#!/usr/bin/env bash
# The long soak: several hundred whole generation runs over random control
# states, each with a time limit, in an optimised build. Prints how many
# runs finished and how many were ended by their limit, and the slowest
# finished run as a command that makes the same map again.
#
#   tools/soak.sh [RUNS [LIMIT_SECONDS [SEED]]]     (default 400 runs, 8 s, 1)
#
# The build folder is build-soak (BUILD_DIR overrides it).
set -euo pipefail
cd "$(dirname "$0")/.."
laeufe="${1:-400}"
frist="${2:-8}"
startwert="${3:-1}"
ordner="${BUILD_DIR:-build-soak}"

cmake -S . -B "$ordner" -DCMAKE_BUILD_TYPE=Release -DTARVELLO_BENCH=OFF >/dev/null
cmake --build "$ordner" -j"$(nproc)" --target test_soak

TARVELLO_DAUERLAUF_LAEUFE="$laeufe" TARVELLO_DAUERLAUF_FRIST="$frist" \
    TARVELLO_DAUERLAUF_STARTWERT="$startwert" TARVELLO_DAUERLAUF_KLEIN="${KLEIN:-0.25}" \
    "$ordner/test_soak" --gtest_filter='Dauerlauf.*' --gtest_color=no
