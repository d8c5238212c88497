#!/usr/bin/env bash
# The building stage's lower bound: builds a copy of the generator whose
# building stage can replay its test outcomes from a log, and compares
# preset 13 with 10000 and 20000 buildings with real and with free tests.
set -euo pipefail
cd "$(dirname "$0")/.."
arbeit="$(mktemp -d)"
trap 'rm -rf "$arbeit"' EXIT
cp -r src "$arbeit/src"
git apply --directory="$arbeit" --unsafe-paths bench/kandidatenschranke.patch
quellen=()
for teil in core geometry streets rivers areas wall generator; do
    quellen+=("$arbeit"/src/"$teil"/*.cpp)
done
g++ -std=c++20 -O3 -DNDEBUG -I"$arbeit/src" "${quellen[@]}" bench/kandidatenschranke.cpp \
    -o "$arbeit/kandidatenschranke"
"$arbeit/kandidatenschranke"
