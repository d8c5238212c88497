#!/usr/bin/env bash
# Random use of the main window for a while: sequences of seeded user steps
# (tests/app/test_zufallsbedienung.cpp) from a first seed until a number of
# minutes has passed. A failure names the seed and step to replay.
#
#   tools/zufallsbedienung.sh [TEST_APP] [MINUTES] [FIRST_SEED] [STEPS]
#
# TEST_APP defaults to build-san/test_app (the sanitizer build, see
# tools/test.sh), MINUTES to 10, FIRST_SEED to 1000, STEPS to 60.
set -euo pipefail
cd "$(dirname "$0")/.."
programm="${1:-build-san/test_app}"
minuten="${2:-10}"
start="${3:-1000}"
schritte="${4:-60}"
if [ ! -x "$programm" ]; then
    echo "no test program at $programm (build the target test_app first)" >&2
    exit 2
fi
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
export TARVELLO_ZUFALL_START="$start" TARVELLO_ZUFALL_SCHRITTE="$schritte"
export TARVELLO_ZUFALL_MINUTEN="$minuten" TARVELLO_ZUFALL_FOLGEN=1000000
# Qt's offscreen platform notes every raise(); only the outcome matters.
"$programm" --gtest_filter='Zufallsbedienung.*' 2>&1 | grep -v '^This plugin does not support'
