#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite, then runs
# it again in a build with the address and undefined-behaviour sanitizers
# (which also checks assertions). The first build treats warnings as errors;
# the benchmarks are not built here.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/abhaengigkeiten.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DTARVELLO_BENCH=OFF -DTARVELLO_WERROR=ON
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"

if [ "${TARVELLO_OHNE_SANITIZER:-0}" != 1 ]; then
    cmake -S . -B build-san -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVELLO_SANITIZE=ON -DTARVELLO_BENCH=OFF
    cmake --build build-san -j"$jobs"
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-san --output-on-failure -j"$jobs"
fi
